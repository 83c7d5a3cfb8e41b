// Start-up: Velqorns.exe against bare_window.exe, a bare Win32 program that opens the same
// kind of main window with no data in it. A start is timed from CreateProcess until the
// main window is visible and answers a message (WaitForInputIdle, then a WM_NULL round
// trip); the two programs start by turns and the figure is the median of the rounds'
// ratios. startup-60 does the same while 60 copies of a small windowed program run under
// 60 file names; the bench starts them first and ends them afterwards. With
// VELQORNS_BENCH_VERBOSE set, each round's two times go to the error output.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "Bench.h"
#include "ExtraProcesses.h"

namespace {

using bench::BenchFolder;
using bench::Start;
using bench::Started;

constexpr int kRounds = 25;
constexpr int kExtraProcesses = 60;
constexpr DWORD kPatience = 60000;  // milliseconds; the first start may also make the Wine prefix

struct WindowSearch {
    DWORD processId;
    HWND found;
};

HWND VisibleWindowOf(DWORD processId) {
    WindowSearch search{processId, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto& s = *reinterpret_cast<WindowSearch*>(parameter);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner != s.processId || !::IsWindowVisible(window) || ::GetWindow(window, GW_OWNER)) return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The kinds of a window's descendants: the window class of each, the program's own
// classes (registered by the program itself) counted as one kind.
std::map<std::string, int> ChildKinds(HWND window) {
    std::map<std::string, int> kinds;
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM parameter) -> BOOL {
            char name[64] = {};
            ::GetClassNameA(child, name, sizeof name);
            WNDCLASSA unused;
            const bool system = ::GetClassInfoA(nullptr, name, &unused);
            ++(*reinterpret_cast<std::map<std::string, int>*>(parameter))[system ? name : "(own class)"];
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&kinds));
    return kinds;
}

std::string Describe(const std::map<std::string, int>& kinds) {
    std::string text;
    for (const auto& [name, count] : kinds) text += " " + name + "=" + std::to_string(count);
    return text;
}

struct Startup {
    double seconds = 0;
    std::map<std::string, int> kinds;
};

// One start of program until its main window answers, then its end (WM_CLOSE, else terminated).
Startup TimeStartup(const std::string& program) {
    const auto begin = std::chrono::steady_clock::now();
    const Started started = Start(program);
    ::WaitForInputIdle(started.process.get(), kPatience);
    HWND window = nullptr;
    // A program may go idle before its main window shows: look until it does.
    while (!(window = VisibleWindowOf(started.processId))) {
        if (::WaitForSingleObject(started.process.get(), 0) == WAIT_OBJECT_0)
            throw std::runtime_error(program + " ended before its window showed");
        if (std::chrono::steady_clock::now() - begin > std::chrono::milliseconds(kPatience))
            throw std::runtime_error(program + " showed no window");
        ::Sleep(1);
    }
    DWORD_PTR unused = 0;
    ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kPatience, &unused);
    Startup result;
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    result.kinds = ChildKinds(window);
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(started.process.get(), 10000) != WAIT_OBJECT_0) {
        ::TerminateProcess(started.process.get(), 1);
        ::WaitForSingleObject(started.process.get(), 10000);
    }
    return result;
}

// The median of the rounds' ratios; each round starts both programs, in alternating order.
double StartupRatio() {
    const std::string folder = BenchFolder();
    const std::string ours = folder + "..\\Velqorns.exe";
    const std::string bare = folder + "bare_window.exe";
    const Startup oursFirst = TimeStartup(ours);  // warms the file cache for both
    const Startup bareFirst = TimeStartup(bare);
    // The baseline is only fair while it has the same kinds and numbers of controls.
    if (oursFirst.kinds != bareFirst.kinds)
        std::fprintf(stderr, "startup: the bare window's controls differ from Velqorns':\n  Velqorns:%s\n  bare:    %s\n",
                     Describe(oursFirst.kinds).c_str(), Describe(bareFirst.kinds).c_str());
    std::vector<double> ratios;
    for (int round = 0; round < kRounds; ++round) {
        double oursSeconds, bareSeconds;
        if (round % 2) {
            oursSeconds = TimeStartup(ours).seconds;
            bareSeconds = TimeStartup(bare).seconds;
        } else {
            bareSeconds = TimeStartup(bare).seconds;
            oursSeconds = TimeStartup(ours).seconds;
        }
        ratios.push_back(oursSeconds / bareSeconds);
        if (std::getenv("VELQORNS_BENCH_VERBOSE")) std::fprintf(stderr, "  round %d: %.3f s / %.3f s\n", round, oursSeconds, bareSeconds);
    }
    return bench::Median(ratios);
}

const bench::Register startup0("startup-0", StartupRatio);
const bench::Register startup60("startup-60", [] {
    const bench::ExtraProcesses extra(kExtraProcesses);
    return StartupRatio();
});

}  // namespace
