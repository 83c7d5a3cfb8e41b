// The programs at the display's dpi: the manifest both carry, the main window and both pages
// laid out at the dpi the test's Wine prefix sets (VELQORNS_TEST_DPI), and a change of dpi.
#include "support/ChildProcess.h"
#include "support/TestWindows.h"

#include <cstdlib>

#include "platform/Win32Platform.h"
#include "program/Unit1.h"
#include "shared/DisplayScale.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Dpi.h"
#include "toolkit/Image.h"

namespace {

// Windows takes DPI awareness from the manifest; Wine treats every program as aware.
TEST(DisplayScale, BothProgramsDeclarePerMonitorAwarenessWithoutVisualStyles) {
    for (const char* name : {"..\\Velqorns.exe", "..\\velq.exe"}) {
        HMODULE program = ::LoadLibraryExA(BesideThisProgram(name).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        HRSRC found = program ? ::FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)) : nullptr;
        ASSERT_NE(found, nullptr) << name;
        const std::string manifest(static_cast<const char*>(::LockResource(::LoadResource(program, found))),
                                   ::SizeofResource(program, found));
        for (const char* part : {">PerMonitorV2, PerMonitor</dpiAwareness>", ">true/pm</dpiAware>", "asInvoker",
                                 "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"})
            EXPECT_NE(manifest.find(part), std::string::npos) << name << ": " << part;
        EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos) << name;
        ::FreeLibrary(program);
    }
}

// Every control under root at dpi: its designed bounds scaled (a list a whole number of its
// scaled lines high, a label or icon that sizes itself at the size of what it shows), its font
// scaled, and with texts, no text wider than its control. Texts are checked at the system's
// dpi only: the raster face "MS Sans Serif" has the sizes of the system's dpi alone.
void ExpectLaidOutAt(TWinControl& root, int dpi, bool texts) {
    for (TControl* control : root.Controls()) {
        auto* windowed = dynamic_cast<TWinControl*>(control);
        if (windowed) ExpectLaidOutAt(*windowed, dpi, texts);
        LOGFONTA font{};
        ::GetObjectA(control->Font().Handle(), sizeof font, &font);
        EXPECT_EQ(font.lfHeight, Scale(control->Font().Height(), dpi)) << control->Name;
        if (control->Align() == alClient || dynamic_cast<TTabSheet*>(control)) continue;
        RECT place = control->BoundsRect(), client{};
        if (windowed) {  // where the window really is
            ::GetWindowRect(windowed->Handle(), &place);
            ::MapWindowPoints(nullptr, ::GetParent(windowed->Handle()), reinterpret_cast<POINT*>(&place), 2);
            ::GetClientRect(windowed->Handle(), &client);
        }
        const RECT& design = control->DesignBounds();
        const SIZE size{place.right - place.left, place.bottom - place.top}, want{Scale(design.right, dpi), Scale(design.bottom, dpi)};
        const auto* list = dynamic_cast<TListBox*>(control);
        const auto* image = dynamic_cast<TImage*>(control);
        const auto* label = dynamic_cast<TLabel*>(control);
        SIZE shown = label && label->AutoSize() ? size : image && image->AutoSize() && image->Icon() ? image->PictureSize() : want;
        const int line = list ? Scale(list->ItemHeight(), dpi) : 1;
        if (list) shown.cy = client.bottom % line == 0 && size.cy > want.cy - line ? size.cy : -1;
        // A TrueType face's line is rounded on its own: at most one designed pixel above the row.
        const int tallest = label ? Scale(design.bottom + 1, dpi) : want.cy;
        EXPECT_TRUE(place.left == Scale(design.left, dpi) && place.top == Scale(design.top, dpi) && size.cx == shown.cx &&
                    size.cy == shown.cy && (size.cy <= tallest || !texts)) << control->Name << " " << size.cx << "x" << size.cy;
        const int text = texts && !dynamic_cast<TForm*>(control) ? TextWidthOnScreen(control->Font(), control->Caption()) : 0;
        EXPECT_LE(text + (dynamic_cast<TCheckBox*>(control) ? Scale(17, dpi) : 0), size.cx) << control->Name;  // + the box
    }
}

TEST(DisplayScale, MainWindowIsLaidOutAtTheDisplaysDpiAndFollowsAChange) {
    const int dpi = std::getenv("VELQORNS_TEST_DPI") ? std::atoi(std::getenv("VELQORNS_TEST_DPI")) : 96;
    TApplication application;
    application.Initialize();
    platform::Win32Platform& system = platform::Win32Platform::Instance();
    application.CreateForm(Form1, system, system, system);
    Form1->Show();
    Form1->PageControl1->SetActivePage(Form1->TabProc);  // the process page fills its lists
    application.ProcessMessages();
    ASSERT_EQ(WindowDpi(Form1->Handle()), dpi);  // the prefix's setting reached the program
    EXPECT_NEAR(Form1->ClientWidth(), Scale(593, dpi), 1);
    EXPECT_NEAR(Form1->ClientHeight(), Scale(449, dpi), 1);
    ExpectLaidOutAt(*Form1, dpi, true);

    // Moved to a monitor of another dpi and back: Wine raises no WM_DPICHANGED itself.
    for (const int next : {dpi == 96 ? 144 : 96, dpi}) {
        RECT suggested{10, 20, 10 + Scale(600, next), 20 + Scale(480, next)}, taken;
        ::SendMessageA(Form1->Handle(), WM_DPICHANGED, MAKEWPARAM(next, next), reinterpret_cast<LPARAM>(&suggested));
        ::GetWindowRect(Form1->Handle(), &taken);
        EXPECT_TRUE(::EqualRect(&taken, &suggested)) << next;
        ExpectLaidOutAt(*Form1, next, next == dpi);
    }
    ::SendMessageA(Form1->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace
