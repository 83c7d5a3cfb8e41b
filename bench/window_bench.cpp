// Window list benchmarks: TWinList's scan of an unchanged desktop and its full rebuilds,
// each against the bare Win32 calls that do the same work. The component asks its questions
// through the platform's RunQueries (under Wine, on a kept thread of their own); the bare calls
// are made there too, so that both wait the same for each reply.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Bench.h"
#include "components/FindWin.h"
#include "platform/Win32Platform.h"

namespace {

using platform::Win32Platform;

constexpr const wchar_t* kClassName = L"VelqornsBenchWindow";

// count visible titled windows of the bench's own class, plus one visible untitled one.
class BenchWindows {
public:
    explicit BenchWindows(int count) {
        static const ATOM registered = [] {
            WNDCLASSW windowClass{};
            windowClass.lpfnWndProc = ::DefWindowProcW;
            windowClass.hInstance = ::GetModuleHandleW(nullptr);
            windowClass.lpszClassName = kClassName;
            return ::RegisterClassW(&windowClass);
        }();
        (void)registered;
        for (int i = 0; i <= count; ++i) {
            const std::wstring title = i < count ? L"bench window " + std::to_wstring(i) : L"";
            windows_.push_back(::CreateWindowExW(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                                 100, 50, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
        }
    }
    ~BenchWindows() {
        for (HWND window : windows_) ::DestroyWindow(window);
    }

private:
    std::vector<HWND> windows_;
};

// The bare scan: the walk that Velqorns makes (under Wine, EnumDesktopWindows, which does not
// ask the server whether each window still exists, to the first message-only window, which
// EnumWindows leaves out, with the same check that the window before it is the last of its
// siblings; where the check fails, which the bench reports, the bare walk takes every window),
// reading each window's title (unless untitled windows count anyway;
// the window manager's copy, as GetWindowText gives another program's, which sends no message
// to the windows' thread) and then its visibility, and keeping those that pass.
struct BareScan {
    struct Taken {
        HWND window;
        wchar_t title[255];
    };
    bool emptyNames = false;
    std::vector<HWND> walked;
    std::vector<Taken> taken;
    int uncut = 0;  // walks that took every window

    ~BareScan() {
        if (uncut) std::fprintf(stderr, "bench: the bare walk took every window %d times\n", uncut);
    }

    void Run() {
        taken.clear();
        if (!platform::RunsOnWine()) {
            ::EnumWindows(Visit, reinterpret_cast<LPARAM>(this));
            return;
        }
        walked.clear();
        ::EnumDesktopWindows(nullptr, [](HWND window, LPARAM list) {
            return reinterpret_cast<std::vector<HWND>*>(list)->push_back(window), TRUE;
        }, reinterpret_cast<LPARAM>(&walked));
        const HWND firstMessageOnly = ::FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr);
        auto end = std::find(walked.begin(), walked.end(), firstMessageOnly);
        if (firstMessageOnly &&
            (end == walked.begin() || end == walked.end() || ::GetWindow(end[-1], GW_HWNDLAST) != end[-1])) {
            end = walked.end();
            ++uncut;
        }
        for (auto window = walked.begin(); window != end; ++window) Visit(*window, reinterpret_cast<LPARAM>(this));
    }
    static BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
        BareScan& scan = *reinterpret_cast<BareScan*>(parameter);
        Taken candidate{window, {}};
        if (!scan.emptyNames) {
            ::InternalGetWindowText(window, candidate.title, 255);
            if (!candidate.title[0]) return TRUE;
        }
        if (::IsWindowVisible(window)) scan.taken.push_back(candidate);
        return TRUE;
    }
};

// The bare rebuild: the bare scan, then per window its title and the attributes of a record
// (thread and process, style, extended style, owner, class name, owner's title, rectangle) and the path of its
// process, asked of each process once (OpenProcess, QueryFullProcessImageNameW). It takes no
// icons: the component takes one only when a record's is asked for.
struct BareRebuild {
    struct Process {
        DWORD id;
        wchar_t path[MAX_PATH];
    };
    struct Record {
        HWND window, owner;
        DWORD thread, process, style, exStyle;
        wchar_t className[100], ownerTitle[255], title[255];
        RECT rect;
        const wchar_t* path;
    };
    BareScan scan;
    std::vector<Process> processes;
    std::vector<Record> records;

    void Run() {
        scan.emptyNames = !scan.emptyNames;  // as the component is made to rebuild
        scan.Run();
        processes.clear();
        processes.reserve(scan.taken.size());  // the records point into it
        records.clear();
        for (const BareScan::Taken& taken : scan.taken) {
            Record record{};
            record.window = taken.window;
            // The list shows every window's title: read now where the scan did not.
            if (scan.emptyNames) ::InternalGetWindowText(taken.window, record.title, 255);
            else std::memcpy(record.title, taken.title, sizeof record.title);
            record.thread = ::GetWindowThreadProcessId(taken.window, &record.process);
            record.style = static_cast<DWORD>(::GetWindowLongW(taken.window, GWL_STYLE));
            record.exStyle = static_cast<DWORD>(::GetWindowLongW(taken.window, GWL_EXSTYLE));
            record.owner = ::GetWindow(taken.window, GW_OWNER);
            ::GetClassNameW(taken.window, record.className, 100);
            if (record.owner) ::InternalGetWindowText(record.owner, record.ownerTitle, 255);
            ::GetWindowRect(taken.window, &record.rect);
            record.path = PathOf(record.process);
            records.push_back(record);
        }
    }
    const wchar_t* PathOf(DWORD id) {
        for (const Process& process : processes)
            if (process.id == id) return process.path;
        Process& process = processes.emplace_back(Process{id, {}});
        if (const HANDLE handle = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id)) {
            DWORD length = MAX_PATH;
            ::QueryFullProcessImageNameW(handle, 0, process.path, &length);
            ::CloseHandle(handle);
        }
        return process.path;
    }
};

// Our time over the baseline's: the median of the ratios of rounds that time both, one right
// after the other and each first by turns, so that each ratio compares the two at the same
// moment of the system (under Wine a thread's replies come quickly or slowly by spells). With
// VELQORNS_BENCH_VERBOSE set, the median times go to the error output.
double Ratio(const std::function<void()>& ours, const std::function<void()>& base, int repeat) {
    constexpr int kRounds = 101;
    ours();
    base();
    std::vector<double> ratios, oursTimes, baseTimes;
    for (int round = 0; round < kRounds; ++round) {
        if (round % 2) {
            oursTimes.push_back(bench::Seconds(ours, repeat));
            baseTimes.push_back(bench::Seconds(base, repeat));
        } else {
            baseTimes.push_back(bench::Seconds(base, repeat));
            oursTimes.push_back(bench::Seconds(ours, repeat));
        }
        ratios.push_back(oursTimes.back() / baseTimes.back());
    }
    if (std::getenv("VELQORNS_BENCH_VERBOSE"))
        std::fprintf(stderr, "  ours %.3f ms, bare %.3f ms\n", bench::Median(oursTimes) * 1e3, bench::Median(baseTimes) * 1e3);
    return bench::Median(ratios);
}

// Runs bare work where the component runs its queries.
void AsQueries(const std::function<void()>& work) { Win32Platform::Instance().RunQueries(work); }

// The component set to the bare scan's filter: visible windows, no task-bar rule.
std::unique_ptr<TWinList> ScanningList() {
    auto list = std::make_unique<TWinList>(nullptr, Win32Platform::Instance(), Win32Platform::Instance());
    list->SetWhatDoFind(id_VisOnly);
    list->SetTaskBarSty(false);
    list->SetEmptyNames(false);
    return list;
}

double ScanUnchanged() {
    const BenchWindows windows(20);
    const auto list = ScanningList();
    list->FindWindows();
    BareScan bare;
    return Ratio([&] { list->FindWindows(); }, [&] { AsQueries([&] { bare.Run(); }); }, 20);
}

// Every call rebuilds: the untitled window joins and leaves the set by turns.
double Rebuild(int count) {
    const BenchWindows windows(count);
    const auto list = ScanningList();
    list->FindWindows();
    const auto rebuild = [&] {
        list->SetEmptyNames(!list->EmptyNames());
        list->FindWindows();
        if (!list->Changed()) std::abort();
    };
    BareRebuild bare;
    return Ratio(rebuild, [&] { AsQueries([&] { bare.Run(); }); }, 10);
}

const bench::Register scanUnchanged("scan-unchanged", ScanUnchanged);
const bench::Register rebuild50("rebuild-50", [] { return Rebuild(50); });
const bench::Register rebuild300("rebuild-300", [] { return Rebuild(300); });

}  // namespace
