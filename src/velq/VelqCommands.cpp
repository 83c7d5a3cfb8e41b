// velq's commands over the components: each builds its whole output before writing it, so
// a failure leaves nothing half-written on standard output.
#include "velq/VelqCommands.h"

#include <cctype>
#include <unordered_map>

#include "components/FindProc.h"
#include "components/FindWin.h"
#include "components/ProcessActions.h"
#include "components/WindowActions.h"
#include "shared/NumberFormat.h"
#include "velq/RecordTable.h"
#include "shared/WindowStyles.h"

using platform::StandardStream;

namespace {

// The long fields last, so that a table's other columns stay together on a console.
const std::vector<std::string> kWindowColumns = {"handle", "title",   "processId", "threadId", "className",
                                                 "ownerHandle", "ownerTitle", "style", "exStyle", "left",
                                                 "top",    "right",   "bottom",    "exePath",  "styleNames",
                                                 "exStyleNames"};
const std::vector<std::string> kProcessColumns = {"name",  "processId", "parentId", "threads",
                                                  "usage", "heapId",    "moduleId", "flags",
                                                  "priority", "priorityText", "exeType", "path"};
const std::vector<std::string> kModuleColumns = {"name",         "moduleId", "processId", "globalUsage",
                                                 "processUsage", "baseSize", "handle",    "baseAddress",
                                                 "path"};

class TVelqRun {
public:
    TVelqRun(const TVelqRequest& request, platform::IWindowSystem& windows, platform::IProcessSystem& processes,
             platform::IConsole& console)
        : request_(request), windows_(windows), processes_(processes), console_(console) {}

    int Run() {
        switch (request_.command) {
        case TVelqCommand::Windows: return ListWindows();
        case TVelqCommand::Window: return ShowWindow();
        case TVelqCommand::Processes: return ListProcesses();
        case TVelqCommand::Modules: return ListModules();
        case TVelqCommand::Kill: return Kill();
        case TVelqCommand::Front: return Front();
        case TVelqCommand::Close: return Close();
        }
        return kVelqUsageError;
    }

private:
    // One line on standard error.
    int Fail(const std::string& text) {
        console_.Write(StandardStream::Error, "velq: " + text + "\n");
        return kVelqFailed;
    }

    int Print(const TRecordTable& table, bool singleObject = false) {
        if (!console_.Write(StandardStream::Output, table.Write(request_.format, singleObject)))
            return Fail("cannot write the output");
        return kVelqSucceeded;
    }

    static void AddWindow(TRecordTable& table, const TWinList& list, int i) {
        const platform::WindowRect& rect = list.GetRect(i);
        table.Add({TField::Address(list.GetHwnd(i)), TField::Text(list.WindowList().Strings(i)),
                   TField::Number(list.GetProcessId(i)), TField::Number(list.GetThreadId(i)),
                   TField::Text(list.GetClassName(i)),
                   TField::Address(list.GetHwndParent(i)), TField::Text(list.GetParentName(i)),
                   TField::Address(list.GetStyle(i)), TField::Address(list.GetExStyle(i)), TField::Number(rect.left),
                   TField::Number(rect.top), TField::Number(rect.right), TField::Number(rect.bottom),
                   TField::Text(list.GetExeFile(i)), TField::Names(StyleNamesOf(list.GetStyle(i))),
                   TField::Names(ExStyleNamesOf(list.GetExStyle(i)))});
    }

    int ListWindows() {
        TWinList list(nullptr, windows_, processes_);
        list.SetWhatDoFind(request_.whatDoFind);
        list.SetTaskBarSty(request_.taskBarRule);
        list.SetEmptyNames(request_.emptyNames && !request_.taskBarRule);
        list.FindWindows();
        TRecordTable table(kWindowColumns);
        for (int i = 0; i < list.WindowList().Count(); ++i) AddWindow(table, list, i);
        return Print(table);
    }

    // Any top-level window: every filter off.
    int ShowWindow() {
        platform::WindowHandle target = request_.target;
        const std::string at = std::to_string(request_.x) + "," + std::to_string(request_.y);
        if (request_.atPoint) {
            target = windows_.RootWindowFromPoint(request_.x, request_.y);
            if (target == windows_.GetDesktopWindow()) target = 0;  // not a top-level window: none is there
        }
        TWinList list(nullptr, windows_, processes_);
        list.SetWhatDoFind(id_All);
        list.SetTaskBarSty(false);
        list.SetEmptyNames(true);
        list.SetOnlyWindow(target);  // the one record read, not every window's
        if (target != 0) list.FindWindows();
        for (int i = 0; i < list.WindowList().Count(); ++i) {
            if (list.GetHwnd(i) != target) continue;
            TRecordTable table(kWindowColumns);
            AddWindow(table, list, i);
            return Print(table, true);
        }
        if (request_.atPoint) return Fail("window: no top-level window is at " + at);
        return Fail("window: no top-level window has the handle " + HandleText());
    }

    std::string HandleText() const { return "0x" + Hex(request_.target, 8); }

    int Done(const std::string& line) {
        if (!console_.Write(StandardStream::Output, line + "\n")) return Fail("cannot write the output");
        return kVelqSucceeded;
    }

    int Front() {
        if (!windows_.IsWindow(request_.target)) return Fail("front: no window has the handle " + HandleText());
        if (!BringWindowToFront(windows_, request_.target))
            return Fail("front: Windows refused to bring window " + HandleText() + " to the foreground");
        return Done("Window " + HandleText() + " is the foreground window");
    }

    int Close() {
        switch (CloseWindowAndWait(windows_, request_.target, request_.timeoutMilliseconds)) {
        case TCloseOutcome::Closed: break;
        case TCloseOutcome::NoWindow: return Fail("close: no window has the handle " + HandleText());
        case TCloseOutcome::StillOpen:
            return Fail("close: window " + HandleText() + " is still open after " +
                        std::to_string(request_.timeoutMilliseconds) + " ms");
        }
        return Done("Closed window " + HandleText());
    }

    int ListProcesses() {
        TProcList list(nullptr, processes_);
        list.ReadProcessList();
        // Each file's type is read from the file once: dozens of processes may run one program.
        std::unordered_map<std::string, std::string> exeTypes;
        const auto exeType = [&](int i) -> const std::string& {
            const auto [type, added] = exeTypes.try_emplace(list.ProcessExeFile(i));
            if (added) type->second = list.ProcessExeType(i);
            return type->second;
        };
        TRecordTable table(kProcessColumns);
        for (int i = 0; i < list.ProcessList().Count(); ++i) {
            table.Add({TField::Text(list.ProcessList().Strings(i)), TField::Number(list.ProcessID(i)),
                       TField::Number(list.ProcessParentID(i)), TField::Number(list.ProcessCntThreads(i)),
                       TField::Number(list.ProcessCntUsage(i)),
                       TField::Number(static_cast<std::int64_t>(list.ProcessDefaultHeapID(i))),
                       TField::Number(list.ProcessModuleID(i)), TField::Number(list.ProcessFlags(i)),
                       TField::Number(list.ProcessPriClassBase(i)), TField::Text(list.ProcessPriorityText(i)),
                       TField::Text(exeType(i)), TField::Text(list.ProcessExeFile(i))});
        }
        return Print(table);
    }

    // The index of the process with the requested id in a fresh list, or -1.
    int FindProcess(TProcList& list) {
        list.ReadProcessList();
        for (int i = 0; i < list.ProcessList().Count(); ++i)
            if (list.ProcessID(i) == request_.target) return i;
        return -1;
    }

    std::string Named(const TProcList& list, int i) const {
        return list.ProcessList().Strings(i) + " (process " + std::to_string(request_.target) + ")";
    }

    int ListModules() {
        TProcList list(nullptr, processes_);
        const int i = FindProcess(list);
        if (i < 0) return Fail("modules: no process has the id " + std::to_string(request_.target));
        list.ReadModuleList(request_.target);
        if (list.ModuleList().Count() == 0) return Fail("modules: cannot read the modules of " + Named(list, i));
        TRecordTable table(kModuleColumns);
        for (int j = 0; j < list.ModuleList().Count(); ++j) {
            table.Add({TField::Text(list.ModuleList().Strings(j)), TField::Number(list.ModuleID(j)),
                       TField::Number(list.ModuleProcessID(j)), TField::Number(list.ModuleGlblCntUsage(j)),
                       TField::Number(list.ModuleProcCntUsage(j)), TField::Number(list.ModuleBaseSize(j)),
                       TField::Address(list.ModuleHandle(j)), TField::Address(list.ModuleBaseAddr(j)),
                       TField::Text(list.ModuleExePath(j))});
        }
        return Print(table);
    }

    bool Confirmed(const std::string& question) {
        // The question goes where errors go, so that it shows when the output is redirected.
        console_.Write(StandardStream::Error, question);
        std::string answer;
        if (!console_.ReadLine(answer)) {  // the input ended: the error goes on a line of its own
            console_.Write(StandardStream::Error, "\n");
            return false;
        }
        for (char& c : answer) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        while (!answer.empty() && std::isspace(static_cast<unsigned char>(answer.back()))) answer.pop_back();
        return answer == "y" || answer == "yes";
    }

    int Kill() {
        const std::string id = std::to_string(request_.target);
        if (request_.target == processes_.CurrentProcessId()) return Fail("kill: process " + id + " is velq itself");
        TProcList list(nullptr, processes_);
        const int i = FindProcess(list);
        if (i < 0) return Fail("kill: no process has the id " + id);
        const std::string name = Named(list, i);
        if (!request_.yes && !Confirmed("Terminate " + name + "? [y/N] "))
            return Fail("kill: " + name + " not terminated: not confirmed");
        switch (TerminateProcessById(processes_, list.ProcessIdentity(i), request_.timeoutMilliseconds)) {
        case TTerminateOutcome::Terminated: break;
        // Also when the id has been given to another process since the list was read.
        case TTerminateOutcome::NotOpened: return Fail("kill: cannot terminate " + name + ": it cannot be opened or has ended");
        case TTerminateOutcome::Failed: return Fail("kill: " + name + " refused to terminate");
        case TTerminateOutcome::StillRunning:
            return Fail("kill: " + name + " did not end within " + std::to_string(request_.timeoutMilliseconds) + " ms");
        }
        if (!console_.Write(StandardStream::Output, "Terminated " + name + "\n"))
            return Fail("cannot write the output");
        return kVelqSucceeded;
    }

    const TVelqRequest& request_;
    platform::IWindowSystem& windows_;
    platform::IProcessSystem& processes_;
    platform::IConsole& console_;
};

}  // namespace

int RunVelqRequest(const TVelqRequest& request, platform::IWindowSystem& windows, platform::IProcessSystem& processes,
                   platform::IConsole& console) {
    return TVelqRun(request, windows, processes, console).Run();
}

int RunVelq(const std::vector<std::string>& arguments, platform::IWindowSystem& windows,
            platform::IProcessSystem& processes, platform::IConsole& console) {
    const TVelqCommandLine commandLine = ParseVelqCommandLine(arguments);
    switch (commandLine.outcome) {
    case TVelqCommandLine::Outcome::Print:
        return console.Write(StandardStream::Output, commandLine.text) ? kVelqSucceeded : kVelqFailed;
    case TVelqCommandLine::Outcome::UsageError:
        console.Write(StandardStream::Error, commandLine.text + "\n");  // it may quote an argument
        return kVelqUsageError;
    case TVelqCommandLine::Outcome::Run: break;
    }
    return RunVelqRequest(commandLine.request, windows, processes, console);
}
