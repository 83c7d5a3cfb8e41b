// velq as a user runs it: a separate process whose output is parsed (JSON with nlohmann/json)
// and compared with the records that TWinList and TProcList read in
// this test, against windows and processes the test makes; kill, usage errors and failures
// by their exit status and their one line on standard error.
#include <windows.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "components/FindProc.h"
#include "components/FindWin.h"
#include "platform/Win32Platform.h"
#include "shared/NumberFormat.h"
#include "shared/Utf16.h"
#include "shared/WindowStyles.h"
#include "support/ChildProcess.h"
#include "support/TestWindows.h"

namespace {

using nlohmann::json;

struct VelqRun {
    DWORD status = 0xFFFFFFFF;
    std::string output, error;
};

std::string Contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// Runs velq.exe (beside Velqorns.exe) with typed as its input and its output and errors in
// files beside the test, or on this program's console when given; gives up after 30 seconds.
VelqRun Velq(const std::string& arguments, const std::string& typed = "", HANDLE console = nullptr) {
    const std::string files[3] = {BesideThisProgram("velq_in.txt"), BesideThisProgram("velq_out.txt"),
                                  BesideThisProgram("velq_err.txt")};
    std::ofstream(files[0], std::ios::binary) << typed;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    std::shared_ptr<void> owned[3];  // closed when velq has ended
    for (int k = 0; k < 3; ++k)
        owned[k].reset(::CreateFileA(files[k].c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                     k == 0 ? OPEN_EXISTING : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr), ::CloseHandle);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup, startup.dwFlags = STARTF_USESTDHANDLES, startup.hStdInput = owned[0].get();
    startup.hStdOutput = console ? console : owned[1].get(), startup.hStdError = console ? console : owned[2].get();
    PROCESS_INFORMATION process{};
    std::wstring commandLine = Utf16FromUtf8("velq " + arguments);
    if (!::CreateProcessW(Utf16FromUtf8(BesideThisProgram("..\\velq.exe")).c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                          console ? 0 : CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start velq.exe";
        return {};
    }
    const std::shared_ptr<void> ended(process.hProcess, ::CloseHandle), thread(process.hThread, ::CloseHandle);
    ::WaitForSingleObject(process.hProcess, 30000);
    VelqRun run{0xFFFFFFFF, Contents(files[1]), Contents(files[2])};
    ::GetExitCodeProcess(process.hProcess, &run.status);
    return run;
}

std::string Address(std::uint64_t value) { return "0x" + Hex(value, 8); }

// Picks the records compared by their process id (velq lists itself too); empty: all.
using Keep = std::function<bool(const std::string& processId)>;
json Kept(const json& records, const Keep& keep) {
    json kept = json::array();
    for (const json& record : records)
        if (!keep || keep(record["processId"].is_string() ? record["processId"].get<std::string>() : record["processId"].dump()))
            kept.push_back(record);
    return kept;
}

// Runs command as JSON, which gives the expected records (as JSON types; one window as an
// object), and as a table: a header and a line per record. Returns the table. (How each field
// is written in every format is record_table_test's.)
std::string ExpectRecords(const std::string& command, const json& expected, const Keep& keep = {}) {
    const VelqRun run = Velq(command + " --format json");
    EXPECT_EQ(run.status, 0u) << run.error;
    const json listed = json::parse(run.output);
    EXPECT_EQ(keep ? Kept(listed, keep) : listed, keep ? Kept(expected, keep) : expected) << command;
    const std::string table = Velq(command).output;
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), (listed.is_array() ? listed.size() : 1) + 1) << table;
    return table;
}

json WindowRecord(const TWinList& list, int i) {
    const platform::WindowRect& rect = list.GetRect(i);
    return {{"handle", Address(list.GetHwnd(i))}, {"title", list.WindowList().Strings(i)}, {"processId", list.GetProcessId(i)},
            {"threadId", list.GetThreadId(i)}, {"className", list.GetClassName(i)}, {"ownerHandle", Address(list.GetHwndParent(i))},
            {"ownerTitle", list.GetParentName(i)}, {"style", Address(list.GetStyle(i))}, {"exStyle", Address(list.GetExStyle(i))},
            {"styleNames", StyleNamesOf(list.GetStyle(i))}, {"exePath", list.GetExeFile(i)},
            {"exStyleNames", ExStyleNamesOf(list.GetExStyle(i))},
            {"left", rect.left}, {"top", rect.top}, {"right", rect.right}, {"bottom", rect.bottom}};
}

// A title with the characters that quoting and encoding must carry.
const std::string kAwkwardTitle = "velq: Fish & Chips, \"Müller\"";

// Run twice by CTest, the second time under code page 1251: the records are the same.
TEST(Velq, WindowCommandsGiveTheWindowListsRecordsInEveryFormatInAnyScript) {
    const Window awkward = MakeWindow(kAwkwardTitle.c_str());
    const Window untitled = MakeWindow("", WS_POPUP, awkward.get());  // invisible, owned, untitled
    const UnicodeProgram program;
    platform::Win32Platform& system = platform::Win32Platform::Instance();

    // The defaults, as the page's: visible, titled, task-bar rule.
    TWinList list(nullptr, system, system);
    list.FindWindows();
    json expected = json::array();
    for (int i = 0; i < list.WindowList().Count(); ++i) expected.push_back(WindowRecord(list, i));
    const std::string table = ExpectRecords("windows", expected);
    for (const std::string& text : {kAwkwardTitle, std::string(kUnicodeTitle), program.path})
        EXPECT_NE(table.find(text), std::string::npos) << text;

    // Every filter off lists the untitled owned window; `window` finds any window by its handle
    // (the owner's title in its record).
    const std::string handle = Address(platform::FromHwnd(untitled.get()));
    EXPECT_NE(Velq("windows --all --no-taskbar-rule --empty-names").output.find(handle), std::string::npos);
    list.SetWhatDoFind(id_All), list.SetTaskBarSty(false), list.SetEmptyNames(true), list.FindWindows();
    int i = 0;
    while (Address(list.GetHwnd(i)) != handle) ++i;
    ExpectRecords("window " + handle, WindowRecord(list, i));
}

json ProcessRecord(const TProcList& list, int i) {
    return {{"name", list.ProcessList().Strings(i)}, {"processId", list.ProcessID(i)}, {"parentId", list.ProcessParentID(i)},
            {"threads", list.ProcessCntThreads(i)}, {"usage", list.ProcessCntUsage(i)}, {"heapId", list.ProcessDefaultHeapID(i)},
            {"moduleId", list.ProcessModuleID(i)}, {"flags", list.ProcessFlags(i)}, {"priority", list.ProcessPriClassBase(i)},
            {"priorityText", list.ProcessPriorityText(i)}, {"exeType", list.ProcessExeType(i)}, {"path", list.ProcessExeFile(i)}};
}

json ModuleRecord(const TProcList& list, int j) {
    return {{"name", list.ModuleList().Strings(j)}, {"moduleId", list.ModuleID(j)}, {"processId", list.ModuleProcessID(j)},
            {"globalUsage", list.ModuleGlblCntUsage(j)}, {"processUsage", list.ModuleProcCntUsage(j)},
            {"baseSize", list.ModuleBaseSize(j)}, {"handle", Address(list.ModuleHandle(j))},
            {"baseAddress", Address(list.ModuleBaseAddr(j))}, {"path", list.ModuleExePath(j)}};
}

TEST(Velq, ProcessCommandsGiveTheProcessListsRecordsInEveryFormat) {
    ChildProcess first, second;  // two processes of one name: one line each
    const UnicodeProgram program;
    ASSERT_TRUE(first.Started() && second.Started());
    TProcList list(nullptr, platform::Win32Platform::Instance());
    list.ReadProcessList();
    json processes = json::array();
    for (int i = 0; i < list.ProcessList().Count(); ++i) processes.push_back(ProcessRecord(list, i));
    // Each run of velq also lists itself and its console host: this test's own processes are
    // compared, every field, in their order.
    const std::set<std::string> ours = {std::to_string(first.Id()), std::to_string(second.Id()),
                                        std::to_string(::GetCurrentProcessId()), std::to_string(program.process->Id())};
    const Keep keep = [&](const std::string& id) { return ours.count(id) > 0; };
    const json kept = Kept(processes, keep);
    EXPECT_EQ(kept.size(), 4u);
    ExpectRecords("processes", processes, keep);

    list.ReadModuleList(first.Id());
    json modules = json::array();
    for (int j = 0; j < list.ModuleList().Count(); ++j) modules.push_back(ModuleRecord(list, j));
    EXPECT_GT(modules.size(), 1u);
    ExpectRecords("modules " + std::to_string(first.Id()), modules);
}

// The answers, outcomes and errors in their detail are velq_commands_test's; here, the real
// console's input and velq's exit status.
TEST(Velq, KillEndsAChildWithYesOrWhenTheAnswerReadIsYes) {
    ChildProcess asked, told;
    ASSERT_TRUE(asked.Started() && told.Started());
    const std::string id = std::to_string(asked.Id());
    const VelqRun yes = Velq("kill " + id, "y\r\n");
    EXPECT_EQ(std::tuple(yes.status, yes.output, asked.Ended()),
              std::tuple(0u, "Terminated proc_child.exe (process " + id + ")\n", true)) << yes.error;
    const VelqRun forced = Velq("kill " + std::to_string(told.Id()) + " --yes --timeout 10000");
    EXPECT_EQ(std::tuple(forced.status, forced.error, told.Ended()), std::tuple(0u, "", true));
}

// A program's window: the one at a point of its child, with its bounds and extended style names;
// brought out of its minimised state to the front; closed. Then each finds no window: status 1,
// nothing on standard output and one line on standard error.
TEST(Velq, WindowAtAPointFrontAndCloseActOnAProgramsWindow) {
    const ChildProcess program(BesideThisProgram("titled_window.exe"), "\"velq: program\"");
    const HWND window = WaitForWindow("VelqornsTitledWindow", "velq: program");
    ASSERT_TRUE(window);
    ::SetWindowPos(window, HWND_TOPMOST, 300, 200, 240, 120, SWP_NOACTIVATE);
    RECT child{};
    ::GetWindowRect(::FindWindowExW(window, nullptr, L"BUTTON", nullptr), &child);
    const std::string handle = Address(platform::FromHwnd(window));
    const std::string at = "--at " + std::to_string(child.left + 5) + "," + std::to_string(child.top + 5);
    const json found = json::parse(Velq("window " + at + " --format json").output);
    EXPECT_EQ(json::array({found["handle"], found["left"], found["top"], found["right"], found["bottom"], found["exStyleNames"]}),
              json::array({handle, 300, 200, 540, 320, json::array({"WS_EX_TOPMOST", "WS_EX_WINDOWEDGE"})}));

    ::ShowWindow(window, SW_MINIMIZE);
    const VelqRun front = Velq("front " + handle);
    EXPECT_EQ(std::tuple(front.status, ::GetForegroundWindow() == window, ::IsIconic(window)), std::tuple(0u, true, 0)) << front.error;
    const VelqRun close = Velq("close " + handle + " --timeout 10000");
    EXPECT_EQ(std::pair(close.status, ::IsWindow(window)), std::pair(DWORD{0}, FALSE)) << close.error;
    for (const std::string& arguments : {"window " + at, "front " + handle, "close " + handle}) {
        const VelqRun run = Velq(arguments);
        const bool oneErrorLine = run.error.starts_with("velq: ") && run.error.find('\n') == run.error.size() - 1;
        EXPECT_EQ(std::tuple(run.status, run.output, oneErrorLine), std::tuple(1u, "", true)) << arguments << ": " << run.error;
    }
}

// On a console velq writes through the wide console functions: every character shows, and the
// columns line up by the cells the console gives them, two for an East Asian wide character.
TEST(Velq, OnAConsoleEveryCharacterShowsAndColumnsLineUpByCells) {
    const UnicodeProgram program;
    const std::wstring title = Utf16FromUtf8(kUnicodeTitle), path = Utf16FromUtf8(program.path);
    const HANDLE saved[] = {::GetStdHandle(STD_INPUT_HANDLE), ::GetStdHandle(STD_OUTPUT_HANDLE), ::GetStdHandle(STD_ERROR_HANDLE)};
    ::FreeConsole();
    ASSERT_TRUE(::AllocConsole());
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const HANDLE screen = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                        OPEN_EXISTING, 0, nullptr);
    ::SetConsoleScreenBufferSize(screen, {400, 200});
    EXPECT_EQ(Velq("windows", "", screen).status, 0u);
    // A wide character's second cell may read as blank: texts are found without spaces, and cells
    // are counted by writing a row's text to the console again.
    const auto bare = [](std::wstring text) { return std::erase(text, L' '), text; };
    std::wstring header, line;
    for (SHORT y = 0; y < 200; ++y) {
        std::wstring row(400, L' ');
        DWORD read = 0;
        ::ReadConsoleOutputCharacterW(screen, row.data(), 400, {0, y}, &read);
        if (row.starts_with(L"handle")) header = row;
        if (bare(row).find(bare(title)) != row.npos && bare(row).find(bare(path)) != row.npos) line = row;
    }
    const auto cells = [screen](const std::wstring& text) {
        CONSOLE_SCREEN_BUFFER_INFO before{}, after{};
        DWORD written = 0;
        ::WriteConsoleW(screen, L"\r\n", 2, &written, nullptr), ::GetConsoleScreenBufferInfo(screen, &before);
        ::WriteConsoleW(screen, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return ::GetConsoleScreenBufferInfo(screen, &after), after.dwCursorPosition.X - before.dwCursorPosition.X;
    };
    // The process id ends in the cell where its heading ends.
    const std::wstring id = L" " + std::to_wstring(program.process->Id()) + L" ";
    EXPECT_FALSE(header.empty() || line.empty());
    EXPECT_EQ(cells(line.substr(0, line.find(id, 12) + id.size() - 1)), cells(header.substr(0, header.find(L"processId") + 9)))
        << Utf8FromUtf16(header) << "\n" << Utf8FromUtf16(line);
    ::CloseHandle(screen);
    ::FreeConsole();
    for (DWORD k = 0; k < 3; ++k) ::SetStdHandle(STD_INPUT_HANDLE - k, saved[k]);
}

TEST(Velq, IsOneExeOfAtMostOneAndAHalfMegabytes) {
    WIN32_FILE_ATTRIBUTE_DATA file{};
    ASSERT_TRUE(::GetFileAttributesExA(BesideThisProgram("..\\velq.exe").c_str(), GetFileExInfoStandard, &file));
    EXPECT_TRUE(file.nFileSizeHigh == 0 && file.nFileSizeLow <= 1536u * 1024u) << file.nFileSizeLow;
}

}  // namespace
