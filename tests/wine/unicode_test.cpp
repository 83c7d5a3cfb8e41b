// Texts in any script as Windows holds them: a window titled in Cyrillic, CJK, an emoji and an
// accented letter, from a program run from a Cyrillic and CJK folder and file name, listed,
// shown and copied exactly by both pages, with the executable type and icon of the same program
// at a plain path. CTest runs it a second time under ru_RU.UTF-8, where Wine gives programs the
// ANSI code page 1251, with the same results.
#include <windows.h>

#include <cstdlib>
#include <utility>

#include "pages/FFindPro.h"
#include "pages/FListWin.h"
#include "platform/Win32Platform.h"
#include "shared/ShortenPath.h"
#include "shared/Utf16.h"
#include "support/TestWindows.h"
#include "support/UnicodeProgram.h"

namespace {

// A line as the list box holds it, read with the wide message.
std::string ShownLine(TListBox& list, int line) {
    std::wstring text(static_cast<std::size_t>(::SendMessageW(list.Handle(), LB_GETTEXTLEN, line, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::SendMessageW(list.Handle(), LB_GETTEXT, line, reinterpret_cast<LPARAM>(text.data()))));
    return Utf8FromUtf16(text);
}

// The path as a path line of its width shows it, measured in the line's own font.
std::string Fitted(const TLabel& line, const std::string& path) {
    return ShortenPath(path, [&line](const std::string& text) { return TextWidthOnScreen(line.Font(), text); }, line.Width());
}

TEST(UnicodeTexts, BothPagesListShowAndCopyTitlesAndPathsInAnyScriptAsForAPlainPath) {
    if (const char* codePage = std::getenv("VELQORNS_ANSI_CODE_PAGE")) {
        ASSERT_EQ(::GetACP(), std::strtoul(codePage, nullptr, 10));  // a missing locale cannot pass unseen
    }
    const UnicodeProgram program;
    ASSERT_TRUE(program.Started());
    TApplication application;
    application.Initialize();
    platform::Win32Platform& system = platform::Win32Platform::Instance();

    TFormWin& windows = *application.Own(std::make_unique<TFormWin>(&application, system, system));
    windows.Show();
    PumpUntil(application, [&] { return windows.Refresh1Click(&windows), LineOf(*windows.ListBox1, kUnicodeTitle) >= 0; });
    const int window = LineOf(*windows.ListBox1, kUnicodeTitle);
    ASSERT_GE(window, 0);
    EXPECT_EQ(ShownLine(*windows.ListBox1, window), kUnicodeTitle);
    ClickLine(application, *windows.ListBox1, window);
    EXPECT_EQ(windows.Label4->Caption(), Fitted(*windows.Label4, program.Path()));
    EXPECT_NE(windows.WinList1->GetIcon(window), 0u);
    PressWithCtrl(application, windows.ListBox1->Handle(), 'C');
    std::string copied = ClipboardText();
    EXPECT_TRUE(copied.starts_with(kUnicodeTitle + std::string("\r\n")) && copied.ends_with(program.Path() + "\r\n")) << copied;

    TFormQorns& processes = *application.Own(std::make_unique<TFormQorns>(&application, system));
    processes.Show();
    PumpUntil(application, [&] { return LineOf(*processes.ListBox1, "прог.exe") >= 0; });
    const int process = LineOf(*processes.ListBox1, "прог.exe");
    ASSERT_GE(process, 0);
    EXPECT_EQ(ShownLine(*processes.ListBox1, process), "прог.exe");
    ClickLine(application, *processes.ListBox1, process);
    EXPECT_EQ(processes.Label13->Caption(), Fitted(*processes.Label13, program.Path()));
    const TProcList& list = *processes.ProcList1;
    const std::string plain = BesideThisProgram("titled_window.exe");
    const std::uint32_t plainType = system.ExeType(plain.c_str());
    EXPECT_TRUE(plainType != 0 && system.FileIcon(plain.c_str()) != 0);
    EXPECT_EQ(list.ProcessExeType(process), ExeTypeToText(plainType));
    EXPECT_NE(list.ProcessIcon(process), 0u);
    EXPECT_EQ(processes.Image1->Icon(), platform::ToHicon(list.ProcessIcon(process)));
    PressWithCtrl(application, processes.ListBox1->Handle(), 'C');
    copied = ClipboardText();
    EXPECT_TRUE(copied.starts_with("прог.exe\r\n") && copied.ends_with(program.Path() + "\r\n")) << copied;
    const int module = LineOf(*processes.ListBox2, "прог.exe");
    ASSERT_GE(module, 0);
    ClickLine(application, *processes.ListBox2, module);
    EXPECT_EQ(processes.Label21->Caption(), Fitted(*processes.Label21, program.Path()));
}

}  // namespace
