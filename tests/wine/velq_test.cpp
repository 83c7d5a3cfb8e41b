// velq as a user runs it: a separate process whose output is parsed (JSON with nlohmann/json,
// CSV as RFC 4180 reads) and compared with the records that TWinList and TProcList read in
// this test, against windows and processes the test makes; kill, usage errors and failures
// by their exit status and their one line on standard error.
#include <windows.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "components/FindProc.h"
#include "components/FindWin.h"
#include "platform/Win32Platform.h"
#include "shared/NumberFormat.h"
#include "shared/Windows1252.h"
#include "shared/WindowStyles.h"
#include "support/ChildProcess.h"
#include "support/Csv.h"
#include "support/TestWindows.h"

namespace {

using nlohmann::json;
using platform::FromHwnd;

struct VelqRun {
    DWORD status = 0xFFFFFFFF;
    std::string output, error;
};

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using Owned = std::unique_ptr<void, HandleCloser>;

std::string ReadAll(HANDLE file) {
    std::string text;
    ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
    return text;
}

// A file beside the test, emptied; the child writes or reads it through an inherited handle.
Owned TemporaryFile(const char* name) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const std::string path = BesideThisProgram(name);
    return Owned(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Runs velq.exe (beside Velqorns.exe) with its output and errors in files and typed as its input,
// handling this test's window messages meanwhile.
VelqRun Velq(const std::string& arguments, const std::string& typed = "") {
    Owned output = TemporaryFile("velq_output.txt"), error = TemporaryFile("velq_error.txt"), input = TemporaryFile("velq_input.txt");
    DWORD written = 0;
    ::WriteFile(input.get(), typed.data(), static_cast<DWORD>(typed.size()), &written, nullptr);
    ::SetFilePointer(input.get(), 0, nullptr, FILE_BEGIN);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.get();
    startup.hStdOutput = output.get();
    startup.hStdError = error.get();
    PROCESS_INFORMATION process{};
    const std::string program = BesideThisProgram("..\\velq.exe");
    std::string commandLine = "velq " + arguments;
    VelqRun run;
    if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                          nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start " << program;
        return run;
    }
    const Owned ended(process.hProcess), thread(process.hThread);
    while (::MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 30000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
    }
    ::GetExitCodeProcess(process.hProcess, &run.status);
    run.output = ReadAll(output.get());
    run.error = ReadAll(error.get());
    return run;
}

std::string Address(std::uint64_t value) { return "0x" + Hex(value, 8); }
json Text(const std::string& text) { return Utf8From1252(text); }

json WindowRecord(const TWinList& list, int i) {
    json names = json::array();
    for (const std::string& name : StyleNamesOf(list.GetStyle(i))) names.push_back(name);
    return {{"handle", Address(list.GetHwnd(i))},         {"title", Text(list.WindowList().Strings(i))},
            {"processId", list.GetProcessId(i)},          {"threadId", list.GetThreadId(i)},
            {"className", Text(list.GetClassName(i))},    {"ownerHandle", Address(list.GetHwndParent(i))},
            {"ownerTitle", Text(list.GetParentName(i))},  {"style", Address(list.GetStyle(i))},
            {"exStyle", Address(list.GetExStyle(i))},     {"styleNames", names},
            {"exePath", Text(list.GetExeFile(i))}};
}

// The CSV rows as objects, each value as a string; JSON values in the same form to compare.
using Rows = std::vector<std::map<std::string, std::string>>;
Rows CsvObjects(const std::string& text) {
    const CsvRows rows = ReadCsv(text);
    Rows objects;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        std::map<std::string, std::string> object;
        for (std::size_t c = 0; c < rows[0].size(); ++c) object[rows[0][c]] = rows[r].at(c);
        objects.push_back(object);
    }
    return objects;
}
Rows AsCsv(const json& array) {
    Rows objects;
    for (const json& record : array) {
        std::map<std::string, std::string> object;
        for (const auto& [key, value] : record.items()) {
            std::string shown;
            if (value.is_string()) shown = value.get<std::string>();
            else if (value.is_array())
                for (const json& name : value) shown += (shown.empty() ? "" : "|") + name.get<std::string>();
            else shown = value.dump();
            object[key] = shown;
        }
        objects.push_back(object);
    }
    return objects;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// A title with the characters that quoting and encoding must carry.
const std::string kAwkwardTitle = "velq: Fish & Chips, \"M\xFCller\"";

TEST(Velq, WindowCommandsGiveTheWindowListsRecordsInEveryFormat) {
    const Window awkward = MakeWindow(kAwkwardTitle.c_str());
    const Window untitled = MakeWindow("", WS_POPUP, awkward.get());  // invisible, owned, untitled
    platform::Win32Platform& system = platform::Win32Platform::Instance();

    // The defaults, as the page's: visible, titled, task-bar rule.
    TWinList list(nullptr, system, system);
    list.FindWindows();
    json expected = json::array();
    for (int i = 0; i < list.WindowList().Count(); ++i) expected.push_back(WindowRecord(list, i));
    const VelqRun asJson = Velq("windows --format json");
    ASSERT_EQ(asJson.status, 0u) << asJson.error;
    EXPECT_EQ(json::parse(asJson.output), expected);
    const VelqRun asCsv = Velq("windows --format csv");
    EXPECT_EQ(CsvObjects(asCsv.output), AsCsv(expected));
    const VelqRun asTable = Velq("windows");
    const std::vector<std::string> table = Lines(asTable.output);
    ASSERT_EQ(table.size(), expected.size() + 1);
    EXPECT_EQ(table[0].rfind("handle", 0), 0u);
    bool titleShown = false;
    for (const std::string& line : table) titleShown |= line.find(Utf8From1252(kAwkwardTitle)) != std::string::npos;
    EXPECT_TRUE(titleShown) << asTable.output;
    EXPECT_EQ(asJson.error + asCsv.error + asTable.error, "");

    // Every filter off lists the untitled owned window; one window by its handle in each way of writing it.
    const VelqRun everything = Velq("windows --all --no-taskbar-rule --empty-names --format json");
    bool untitledListed = false;
    for (const json& record : json::parse(everything.output))
        untitledListed |= record["handle"] == Address(FromHwnd(untitled.get()));
    EXPECT_TRUE(untitledListed);
    list.SetWhatDoFind(id_All);
    list.SetTaskBarSty(false);
    list.SetEmptyNames(true);
    list.FindWindows();
    for (const Window* window : {&awkward, &untitled}) {
        const std::uint32_t handle = FromHwnd(window->get());
        int i = 0;
        while (list.GetHwnd(i) != handle) ++i;
        const json record = WindowRecord(list, i);
        EXPECT_EQ(json::parse(Velq("window " + std::to_string(handle) + " --format json").output), record);
        EXPECT_EQ(json::parse(Velq("window " + Address(handle) + " --format json").output), record);
        EXPECT_EQ(CsvObjects(Velq("window 0" + Hex(handle, 1) + " --format csv").output), AsCsv(json::array({record})));
    }
}

json ProcessRecord(const TProcList& list, int i) {
    return {{"name", Text(list.ProcessList().Strings(i))},    {"processId", list.ProcessID(i)},
            {"parentId", list.ProcessParentID(i)},            {"threads", list.ProcessCntThreads(i)},
            {"usage", list.ProcessCntUsage(i)},               {"heapId", list.ProcessDefaultHeapID(i)},
            {"moduleId", list.ProcessModuleID(i)},            {"flags", list.ProcessFlags(i)},
            {"priority", list.ProcessPriClassBase(i)},        {"priorityText", Text(list.ProcessPriorityText(i))},
            {"exeType", Text(list.ProcessExeType(i))},        {"path", Text(list.ProcessExeFile(i))}};
}

json ModuleRecord(const TProcList& list, int j) {
    return {{"name", Text(list.ModuleList().Strings(j))},      {"moduleId", list.ModuleID(j)},
            {"processId", list.ModuleProcessID(j)},            {"globalUsage", list.ModuleGlblCntUsage(j)},
            {"processUsage", list.ModuleProcCntUsage(j)},      {"baseSize", list.ModuleBaseSize(j)},
            {"handle", Address(list.ModuleHandle(j))},         {"baseAddress", Address(list.ModuleBaseAddr(j))},
            {"path", Text(list.ModuleExePath(j))}};
}

TEST(Velq, ProcessCommandsGiveTheProcessListsRecordsInEveryFormat) {
    ChildProcess first, second;  // two processes of one name: one line each
    ASSERT_TRUE(first.Started() && second.Started());
    TProcList list(nullptr, platform::Win32Platform::Instance());
    list.ReadProcessList();

    json expected = json::array();
    for (int i = 0; i < list.ProcessList().Count(); ++i) expected.push_back(ProcessRecord(list, i));
    const VelqRun asJson = Velq("processes --format json");
    ASSERT_EQ(asJson.status, 0u) << asJson.error;
    const json listed = json::parse(asJson.output);
    // This test's own processes are listed with every field, as JSON types too.
    for (const json& record : expected) {
        const json& id = record["processId"];
        if (id == first.Id() || id == second.Id() || id == ::GetCurrentProcessId()) {
            EXPECT_NE(std::find(listed.begin(), listed.end(), record), listed.end()) << record;
        }
    }

    // Each run of velq also lists itself and its console host: the processes that all three
    // lists hold are compared, in their order.
    const Rows mine = AsCsv(expected), fromJson = AsCsv(listed), fromCsv = CsvObjects(Velq("processes --format csv").output);
    const Rows* lists[] = {&mine, &fromJson, &fromCsv};
    auto listedByAll = [&](const std::string& id) {
        return std::all_of(std::begin(lists), std::end(lists), [&](const Rows* rows) {
            return std::any_of(rows->begin(), rows->end(), [&](const auto& row) { return row.at("processId") == id; });
        });
    };
    auto common = [&](Rows rows) {
        std::erase_if(rows, [&](const auto& row) { return !listedByAll(row.at("processId")); });
        return rows;
    };
    EXPECT_EQ(common(fromJson), common(mine));
    EXPECT_EQ(common(fromCsv), common(mine));
    EXPECT_EQ(Lines(Velq("processes").output).size(), listed.size() + 1);

    list.ReadModuleList(first.Id());
    json modules = json::array();
    for (int j = 0; j < list.ModuleList().Count(); ++j) modules.push_back(ModuleRecord(list, j));
    ASSERT_GT(modules.size(), 1u);
    const std::string id = std::to_string(first.Id());
    EXPECT_EQ(json::parse(Velq("modules " + id + " --format json").output), modules);
    EXPECT_EQ(CsvObjects(Velq("modules " + id + " --format csv").output), AsCsv(modules));
    EXPECT_EQ(Lines(Velq("modules " + id).output).size(), modules.size() + 1);
}

TEST(Velq, KillEndsAChildWithYesAndOtherwiseOnlyWhenTheAnswerIsYes) {
    ChildProcess asked, told;
    ASSERT_TRUE(asked.Started() && told.Started());
    const std::string id = std::to_string(asked.Id());

    const VelqRun no = Velq("kill " + id, "n\r\n");
    EXPECT_EQ(no.status, 1u);
    EXPECT_EQ(no.error, "Terminate proc_child.exe (process " + id + ")? [y/N] velq: kill: proc_child.exe (process " + id +
                            ") not terminated: not confirmed\n");
    EXPECT_FALSE(asked.Ended());

    const VelqRun yes = Velq("kill " + id, "y\r\n");
    EXPECT_EQ(yes.status, 0u) << yes.error;
    EXPECT_EQ(yes.output, "Terminated proc_child.exe (process " + id + ")\n");
    EXPECT_TRUE(asked.Ended());

    const VelqRun forced = Velq("kill " + std::to_string(told.Id()) + " --yes --timeout 10000");
    EXPECT_EQ(forced.status, 0u) << forced.error;
    EXPECT_EQ(forced.error, "");
    EXPECT_TRUE(told.Ended());
}

TEST(Velq, UsageErrorsAndFailuresGiveTheirStatusAndOneErrorLineAndNoOutput) {
    ChildProcess gone;
    gone.End();  // its id stays reserved while the test holds the handle: no process has it
    const std::string goneId = std::to_string(gone.Id());
    const std::pair<std::string, DWORD> cases[] = {
        {"", 2}, {"frobnicate", 2}, {"windows --bogus", 2}, {"windows --all --invisible", 2},
        {"windows --empty-names", 2}, {"processes --format xml", 2}, {"window zz", 2}, {"modules 12q", 2},
        {"kill 12 --timeout soon", 2}, {"window 0x1", 1}, {"modules " + goneId, 1}, {"kill " + goneId + " --yes", 1},
    };
    for (const auto& [arguments, status] : cases) {
        const VelqRun run = Velq(arguments);
        EXPECT_EQ(run.status, status) << arguments;
        EXPECT_EQ(run.output, "") << arguments;
        EXPECT_EQ(run.error.rfind("velq: ", 0), 0u) << arguments << ": " << run.error;
        EXPECT_EQ(run.error.find('\n'), run.error.size() - 1) << arguments << ": " << run.error;
    }
}

TEST(Velq, IsOneExeOfAtMostOneAndAHalfMegabytes) {
    WIN32_FILE_ATTRIBUTE_DATA file{};
    ASSERT_TRUE(::GetFileAttributesExA(BesideThisProgram("..\\velq.exe").c_str(), GetFileExInfoStandard, &file));
    EXPECT_EQ(file.nFileSizeHigh, 0u);
    EXPECT_LE(file.nFileSizeLow, 1536u * 1024u);
}

}  // namespace
