// velq on a made-up desktop and process system: help, usage errors and failures, and the
// kill outcomes that Wine cannot make on demand (its own id, access denied, a process that
// will not end), each with its exit status and one line on standard error.
#include "velq/VelqCommands.h"

#include "components/WindowActions.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/FakeDesktop.h"
#include "support/FakeProcessSystem.h"

namespace {

// velq run as process 8 beside process 24, child.exe, with the lines typed as its input.
struct Velq : platform::IConsole {
    std::string output, error;
    std::vector<std::string> typed;
    FakeProcessSystem system;
    FakeDesktop desktop;
    Velq() {
        system.processes = {FakeProcessSystem::Process(8, "C:\\velq.exe"), FakeProcessSystem::Process(24, "C:\\child.exe")};
        system.currentId = 8;
    }
    int Run(const std::vector<std::string>& arguments) { return RunVelq(arguments, desktop, system, *this); }
    bool Write(platform::StandardStream stream, std::string_view utf8) override {
        (stream == platform::StandardStream::Output ? output : error) += utf8;
        return true;
    }
    bool ReadLine(std::string& line) override {
        if (typed.empty()) return false;
        line = typed.front();
        typed.erase(typed.begin());
        return true;
    }
};

TEST(VelqKill, EachOutcomeHasItsExitStatusAndOneErrorLine) {
    struct Case {
        const char* name;
        std::vector<std::string> arguments, typed;
        bool opens, ends, endsInTime; int status; bool terminated;
        const char* errorLine;  // the question, if asked, and the error line
    };
    const Case cases[] = {
        {"yes", {"kill", "24", "--yes"}, {}, true, true, true, 0, true, ""},
        {"typed y", {"kill", "24"}, {"Y"}, true, true, true, 0, true, "Terminate child.exe (process 24)? [y/N] "},
        {"typed n", {"kill", "24"}, {"n"}, true, true, true, 1, false,
         "Terminate child.exe (process 24)? [y/N] velq: kill: child.exe (process 24) not terminated: not confirmed\n"},
        {"no input", {"kill", "24"}, {}, true, true, true, 1, false,
         "Terminate child.exe (process 24)? [y/N] \nvelq: kill: child.exe (process 24) not terminated: not confirmed\n"},
        {"own id", {"kill", "8", "--yes"}, {}, true, true, true, 1, false, "velq: kill: process 8 is velq itself\n"},
        {"no such", {"kill", "28", "--yes"}, {}, true, true, true, 1, false, "velq: kill: no process has the id 28\n"},
        {"denied", {"kill", "24", "--yes"}, {}, false, true, true, 1, false,
         "velq: kill: cannot terminate child.exe (process 24): it cannot be opened or has ended\n"},
        {"refused", {"kill", "24", "--yes"}, {}, true, false, true, 1, false,
         "velq: kill: child.exe (process 24) refused to terminate\n"},
        {"stuck", {"kill", "24", "--yes", "--timeout", "300"}, {}, true, true, false, 1, true,
         "velq: kill: child.exe (process 24) did not end within 300 ms\n"},
    };
    for (const Case& c : cases) {
        Velq velq;
        velq.typed = c.typed;
        velq.system.opens = c.opens, velq.system.ends = c.ends, velq.system.waitResult = c.endsInTime ? 0 : 0x102;
        EXPECT_EQ(velq.Run(c.arguments), c.status) << c.name;
        EXPECT_EQ(std::tuple(!velq.system.terminated.empty(), velq.output, velq.error),
                  std::tuple(c.terminated, c.status == 0 ? "Terminated child.exe (process 24)\n" : "", c.errorLine)) << c.name;
    }
}

// A program that runs as many processes is one file: its type is read once, and shown on each line.
TEST(VelqProcesses, EachFilesTypeIsReadOnceForAllItsProcesses) {
    Velq velq;
    velq.system.processes.push_back(FakeProcessSystem::Process(40, "C:\\child.exe"));
    velq.system.exeTypes["C:\\child.exe"] = 0x04004550;  // PE, marked for Windows 4.0
    EXPECT_EQ(velq.Run({"processes", "--format", "csv"}), 0);
    EXPECT_EQ(std::count(velq.system.queriedPaths.begin(), velq.system.queriedPaths.end(), "C:\\child.exe"), 1);
    int shown = 0;
    for (std::size_t at = 0; (at = velq.output.find(",32-Bit,", at)) != std::string::npos; ++at) ++shown;
    EXPECT_EQ(shown, 2) << velq.output;
}

// Help and version (0) print on standard output; usage errors (2) and failures (1) print
// nothing there and one line on standard error.
TEST(Velq, HelpUsageErrorsAndFailuresGiveTheirStatusAndWhereTheyPrint) {
    const std::pair<std::vector<std::string>, int> cases[] = {
        {{"--help"}, 0}, {{"kill", "--help"}, 0}, {{"--version"}, 0},
        {{}, 2}, {{"frobnicate"}, 2}, {{"windows", "--bogus"}, 2}, {{"windows", "--all", "--visible"}, 2},
        {{"windows", "--empty-names"}, 2}, {{"windows", "--format", "xml"}, 2}, {{"window"}, 2},
        {{"window", "zz"}, 2}, {{"modules", "-5"}, 2}, {{"kill", "12", "--timeout", "5s"}, 2},
        {{"kill", "12", "--timeout", "4294967295"}, 2}, {{"processes", "12"}, 2}, {{"window", "--at", "1,2x"}, 2},
        {{"window", "0x1", "--at", "1,2"}, 2}, {{"front"}, 2}, {{"close", "0x1", "--timeout", "1s"}, 2},
        // Numbers and options are ASCII: fullwidth digits and dashes are no look-alikes.
        {{"kill", "１２", "--yes"}, 2}, {{"windows", "－－format", "json"}, 2}, {{"window", "0x１A"}, 2},
        {{"window", "0x1"}, 1}, {{"modules", "28"}, 1}, {{"modules", "24"}, 1},  // no such window, process; no modules
        {{"window", "--at", "-5,5"}, 1}, {{"front", "0x1"}, 1}, {{"close", "0x1"}, 1},  // no window there, no such
    };
    for (const auto& [arguments, status] : cases) {
        const std::string form = ::testing::PrintToString(arguments);
        Velq velq;
        EXPECT_EQ(velq.Run(arguments), status) << form;
        EXPECT_EQ(status == 0 ? velq.error : velq.output, "") << form;  // the stream that stays silent
        const std::string& shown = status == 0 ? velq.output : velq.error;  // help, or the one error line
        EXPECT_TRUE(status == 0 ? shown.find("velq") != std::string::npos
                                : shown.starts_with("velq: ") && shown.find('\n') == shown.size() - 1) << form << ": " << shown;
    }
}

// front and close over windows that do as asked, or refuse; and what --at and the finder take.
TEST(VelqWindowActions, FrontAndCloseEachOutcomeHasItsStatusAndLineAndTheDesktopIsNoWindow) {
    struct Case {
        std::vector<std::string> arguments;
        bool minimised, refuses; int status;
        const char* line;  // on standard output when it succeeds, else on standard error
    };
    const Case cases[] = {
        {{"front", "0x20"}, true, false, 0, "Window 0x00000020 is the foreground window\n"},
        {{"front", "32"}, false, true, 1, "velq: front: Windows refused to bring window 0x00000020 to the foreground\n"},
        {{"close", "0x20"}, false, false, 0, "Closed window 0x00000020\n"},
        {{"close", "0x20", "--timeout", "300"}, false, true, 1, "velq: close: window 0x00000020 is still open after 300 ms\n"},
    };
    for (const Case& c : cases) {
        Velq velq;
        FakeWindow& window = velq.desktop.Add(0x20, "Editor");
        window.minimised = c.minimised;
        window.closes = !(velq.desktop.refusesForeground = c.refuses);
        const std::string name = ::testing::PrintToString(c.arguments);
        EXPECT_EQ(velq.Run(c.arguments), c.status) << name;
        EXPECT_EQ(c.status == 0 ? velq.output : velq.error, c.line) << name;
        EXPECT_GE(velq.desktop.slept, c.arguments[0] == "close" && c.refuses ? 300u : 0u) << name;
    }

    Velq one;  // window reads the record of the window asked for alone, not every window's
    one.desktop.Add(0x20, "Editor"), one.desktop.Add(0x30, "Other"), one.desktop.Add(0x40, "Third");
    EXPECT_EQ(one.Run({"window", "0x30"}), 0);
    EXPECT_TRUE(one.output.find("Other") != std::string::npos && one.desktop.recordQueries <= 2) << one.desktop.recordQueries;

    FakeDesktop desktop;  // the window the finder picks at a point: none of the desktop's
    desktop.Add(0x20, "Program"), desktop.Add(0x30, "").className = "Progman", desktop.Add(0x40, "").className = "WorkerW";
    for (const platform::WindowHandle at : {0x20u, 0x30u, 0x40u, desktop.desktop, 0u})
        EXPECT_EQ(PickableWindowAt(desktop, (desktop.atPoint = at), 1), at == 0x20 ? at : 0) << at;
}

}  // namespace
