// Ctrl+C in the pages' lists, pressed as the user presses it: the selected entry's text and
// its detail lines as the page shows them, the executable's path in full, on the clipboard as
// CF_TEXT and CF_UNICODETEXT; without a selection the clipboard keeps what it held.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "pages/FFindPro.h"
#include "pages/FListWin.h"
#include "platform/Win32Platform.h"
#include "shared/Windows1252.h"
#include "support/FakeProcessSystem.h"
#include "support/TestWindows.h"
#include "toolkit/Clipboard.h"

namespace {

// The clipboard's text in one format, as bytes (CF_TEXT) or UTF-16 units (CF_UNICODETEXT).
template <class Text>
Text ClipboardText(UINT format) {
    Text text;
    if (!::OpenClipboard(nullptr)) return text;
    if (HANDLE data = ::GetClipboardData(format)) {
        text = static_cast<const typename Text::value_type*>(::GlobalLock(data));
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

// Too wide for any path line of the pages: they show it shortened, Ctrl+C copies it whole.
const std::string kLongPath = "C:\\Program Files\\A Long Vendor Name\\A Longer Product Name\\With A Folder For Each Version"
                              "\\And Another For Each Language\\Bin\\alpha.exe";

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

class PageCopy : public ::testing::Test {
protected:
    void SetUp() override {
        application.Initialize();
        ASSERT_TRUE(SetClipboardText(nullptr, "before"));
    }

    // Shows a page on top of everything, as a window of its own, so that keys reach it.
    template <class Page>
    Page& Open(std::unique_ptr<Page> made) {
        Page* page = application.Own(std::move(made));
        page->SetBounds(40, 40, page->Width(), page->Height());
        page->Show();
        ::SetWindowPos(page->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ::SetForegroundWindow(page->Handle());
        Pump();
        return *page;
    }
    void Pump() {
        for (int i = 0; i < 20; ++i, ::Sleep(1)) application.ProcessMessages();
    }
    // Selects the line as a click does (the page's release handler shows its details).
    void Select(TListBox& list, int line) {
        list.SetFocus();
        list.SetItemIndex(line);
        ::SendMessageA(list.Handle(), WM_LBUTTONUP, 0, 0);
        Pump();
    }
    // Ctrl+C through the system's input queue, with the focus in list.
    void PressCtrlC(TListBox& list) {
        list.SetFocus();
        Pump();
        INPUT keys[4] = {};
        const WORD codes[4] = {VK_CONTROL, 'C', 'C', VK_CONTROL};
        for (int i = 0; i < 4; ++i) {
            keys[i].type = INPUT_KEYBOARD;
            keys[i].ki.wVk = codes[i];
            keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
        }
        ASSERT_EQ(::SendInput(4, keys, sizeof(INPUT)), 4u);
        const DWORD start = ::GetTickCount();
        while (::GetTickCount() - start < 500) Pump();
    }
    // What the clipboard holds in both formats must be the same lines.
    void ExpectCopied(const std::vector<std::string>& lines) {
        EXPECT_EQ(ClipboardText<std::string>(CF_TEXT), Joined(lines));
        EXPECT_TRUE(ClipboardText<std::u16string>(CF_UNICODETEXT) == Utf16From1252(Joined(lines)));
    }

    TApplication application;
};

TEST_F(PageCopy, WindowListCopiesTheSelectedWindowsLinesAndNothingWithoutASelection) {
    const std::string title = "Velqorns copy: Fish & Chips, \"M\xFCller\"";
    const Window window = MakeWindow(title.c_str());
    FakeProcessSystem processes;  // this program, run from a long path
    processes.processes = {FakeProcessSystem::Process(::GetCurrentProcessId(), kLongPath)};
    platform::Win32Platform& system = platform::Win32Platform::Instance();
    TFormWin& page = Open(std::make_unique<TFormWin>(&application, system, processes));
    page.Refresh1Click(&page);
    int line = 0;
    while (line < page.ListBox1->Count() && page.ListBox1->Strings(line) != title) ++line;
    ASSERT_LT(line, page.ListBox1->Count());
    Select(*page.ListBox1, line);
    ASSERT_NE(page.Label4->Caption(), kLongPath);

    PressCtrlC(*page.ListBox1);
    ExpectCopied({title, page.Label8->Caption(), page.Label1->Caption(), page.Label7->Caption(), page.Label5->Caption(),
                  page.Label6->Caption(), page.Label2->Caption(), kLongPath});

    ASSERT_TRUE(SetClipboardText(nullptr, "before"));
    page.ListBox1->SetItemIndex(-1);
    PressCtrlC(*page.ListBox1);
    EXPECT_EQ(ClipboardText<std::string>(CF_TEXT), "before");
}

TEST_F(PageCopy, ProcessAndModuleListsCopyTheirSelectedEntrysLines) {
    FakeProcessSystem system;
    system.processes = {FakeProcessSystem::Process(0x1234, kLongPath)};
    system.modules[0x1234] = {FakeProcessSystem::Module(0x1234, "alpha.exe", kLongPath),
                              FakeProcessSystem::Module(0x1234, "kern.dll", "C:\\WINDOWS\\kern.dll")};
    TFormQorns& page = Open(std::make_unique<TFormQorns>(&application, system));
    Select(*page.ListBox1, 0);
    ASSERT_NE(page.Label13->Caption(), kLongPath);

    PressCtrlC(*page.ListBox1);
    ExpectCopied({"alpha.exe", page.Label5->Caption(), page.Label6->Caption(), page.Label18->Caption(),
                  page.Label7->Caption(), page.Label8->Caption(), page.Label9->Caption(), page.Label10->Caption(),
                  page.Label11->Caption(), page.Label12->Caption(), kLongPath});

    Select(*page.ListBox2, 0);
    PressCtrlC(*page.ListBox2);
    ExpectCopied({"alpha.exe", page.Label14->Caption(), page.Label15->Caption(), page.Label22->Caption(),
                  page.Label16->Caption(), page.Label17->Caption(), page.Label19->Caption(), page.Label20->Caption(),
                  page.Label23->Caption(), kLongPath});
}

}  // namespace
