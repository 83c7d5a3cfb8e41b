// TWinList: the scan (enumeration, filters and task-bar rule), change detection by the
// set of handles taken, the rebuild of the records and the refresh timer.
#include "components/FindWin.h"

#include <algorithm>
#include <cstring>

using platform::WindowHandle;

namespace {

constexpr const char* kCreditText = "TWinList 1.0, the top-level window list component";

constexpr int kTitleLength = 254;  // titles of at most 254 characters (UTF-16 units)
constexpr int kClassLength = 99;   // class names of at most 99
// A desktop rarely shows more windows than this; the handle stores are reserved for them once,
// so that a scan does not grow them (a long title still takes memory of its own), and grow
// for the rare scan that takes more.
constexpr std::size_t kUsualWindows = 256;

constexpr std::uint32_t kWsPopup = 0x80000000;
constexpr std::uint32_t kWsDisabled = 0x08000000;
constexpr std::uint32_t kWsVisible = 0x10000000;
constexpr std::uint32_t kWsSysMenu = 0x00080000;
constexpr std::uint32_t kWsMinimizeBox = 0x00020000;
constexpr std::uint32_t kProcessQueryLimitedInformation = 0x1000;

// A snapshot's text array up to its NUL; a full array without one is kept whole.
std::string BufferText(const char* buffer, std::size_t size) { return std::string(buffer, strnlen(buffer, size)); }

}  // namespace

TWinList::TWinList(TComponent* owner, platform::IWindowSystem& windows, platform::IProcessSystem& processes)
    : TComponent(owner), windows_(windows), processes_(processes), timer_(this) {
    timer_.SetEnabled(false);
    timer_.OnTimer = [this](TObject* sender) { TimerTick(sender); };
    timer_.SetInterval(static_cast<unsigned>(timerIntval_));
    taken_.reserve(kUsualWindows);
    sortedTaken_.reserve(kUsualWindows);
    lastSet_.reserve(kUsualWindows);
}

// The timer stops itself when it is released, after the list.
TWinList::~TWinList() {
    *alive_ = false;
    windowList_.Clear();
}

void TWinList::SetAbout(const std::string& value) {
    if (value == about_) return;
    about_ = kCreditText;
}

void TWinList::SetTimerIntval(int value) {
    if (value < 1) SetEnableTimer(false);
    if (value == timerIntval_) return;
    timerIntval_ = value;
    if (value < 0) throw ERangeError();  // the timer's period is unsigned
    timer_.SetInterval(static_cast<unsigned>(value));
}

void TWinList::SetEnableTimer(bool value) {
    if (value == enableTimer_) return;
    enableTimer_ = value;
    timer_.SetEnabled(value);
}

void TWinList::FindWindows() {
    timer_.SetEnabled(false);  // no tick during a scan
    try {
        windows_.RunQueries([this] { ScanAndRebuild(); });
    } catch (...) {
        // A failed scan does not end automatic refreshing.
        if (enableTimer_) timer_.SetEnabled(true);
        throw;
    }
    if (enableTimer_) timer_.SetEnabled(true);  // the next period begins now
}

// The scan and the rebuild ask the system every question, and touch only the component's data:
// the platform may run them on a thread of its own.
void TWinList::ScanAndRebuild() {
    currentSum_ = 0;
    filter_ = {emptyNames_, taskBarSty_, whatDoFind_};
    taken_.clear();
    windows_.EnumWindows(&TWinList::EnumWindowsProc, this);
    if (SameSetAsLastRebuild()) {
        changed_ = false;
    } else {
        Rebuild();
        changed_ = true;
    }
}

bool TWinList::EnumWindowsProc(WindowHandle window, void* context) {
    if (window == 0) return false;
    TWinList& list = *static_cast<TWinList*>(context);
    if (list.onlyWindow_ != 0 && window != list.onlyWindow_) return true;
    TakenWindow& candidate = list.candidate_;
    candidate.handle = window;
    if (list.Qualifies(candidate, list.filter_)) {
        list.taken_.push_back(std::move(candidate));  // the next window sets every field it uses
        list.currentSum_ += window;
    }
    return true;
}

// A top-level window is visible exactly when its style word has WS_VISIBLE (its parent, the
// desktop, always is), so one read of the style answers both the visibility filter and the
// task-bar rule. Visibility comes before the title: the outcome is the same, and most top-level
// windows are hidden, so most are settled by that one question.
bool TWinList::Qualifies(TakenWindow& candidate, const ScanFilter& filter) {
    const WindowHandle window = candidate.handle;
    std::uint32_t style = 0;
    candidate.styleRead = filter.whatDoFind != id_All || filter.taskBarSty;
    if (candidate.styleRead) style = candidate.style = windows_.WindowLong(window, platform::kGwlStyle);
    switch (filter.whatDoFind) {
        case id_All:
            break;
        case id_VisOnly:
            if (!(style & kWsVisible)) return false;
            break;
        case id_InvisOnly:
            if (style & kWsVisible) return false;
            break;
        default:
            return false;
    }
    if (!filter.emptyNames) {
        candidate.title = windows_.WindowText(window, kTitleLength);
        if (candidate.title.empty()) return false;
    }
    if (!filter.taskBarSty) return true;
    if (windows_.GetOwner(window) != 0) return false;
    if (IsTaskBarStyle(style)) return true;
    // A window whose own style fails still counts when its last active popup passes; the
    // window itself, not the popup, is taken.
    const WindowHandle popup = windows_.GetLastActivePopup(window);
    return popup != window && windows_.IsWindow(popup) && IsTaskBarStyle(windows_.WindowLong(popup, platform::kGwlStyle));
}

bool TWinList::WouldTake(WindowHandle window, TFind_ID whatDoFind, bool emptyNames, bool taskBarSty) {
    TakenWindow candidate{window, {}};
    return Qualifies(candidate, {emptyNames, taskBarSty, whatDoFind});
}

bool TWinList::IsTaskBarStyle(std::uint32_t style) {
    if (!(style & kWsPopup)) return true;
    return (style & kWsMinimizeBox) && !(style & kWsDisabled) && (style & kWsSysMenu);
}

// The sum tells most changes at once; equal sums still need the sets compared.
bool TWinList::SameSetAsLastRebuild() {
    if (taken_.size() != lastSet_.size() || currentSum_ != lastSum_) return false;
    SortTakenHandles();
    return sortedTaken_ == lastSet_;
}

void TWinList::SortTakenHandles() {
    sortedTaken_.clear();
    for (const TakenWindow& taken : taken_) sortedTaken_.push_back(taken.handle);
    std::sort(sortedTaken_.begin(), sortedTaken_.end());
}

// Each process that owns a listed window is opened once per rebuild and held open until the
// rebuild ends: its identifier cannot be given to another process while it is held, so every
// later window that names the identifier belongs to the process the path was read from.
class TWinList::ProcessPaths {
public:
    explicit ProcessPaths(platform::IProcessSystem& system) : system_(system) {}

    // Whether the process is held; its path, empty when it told none, goes to path.
    bool Find(std::uint32_t processId, std::string& path) const {
        for (const Held& held : held_)
            if (held.processId == processId) return path = held.path, true;
        return false;
    }
    // Opens the process and reads its path only while stillOwned agrees, then holds it; a
    // process that cannot be opened, or whose window has gone, is not held.
    bool Read(std::uint32_t processId, const std::function<bool()>& stillOwned, std::string& path) {
        platform::ProcessOwner process = platform::OpenOwnedProcess(system_, kProcessQueryLimitedInformation, processId);
        if (!process || !stillOwned()) return false;
        path = system_.ProcessImagePath(process.get());
        held_.push_back(Held{processId, std::move(process), path});
        return true;
    }

    // The file name of the process in a process snapshot, empty when it has none. One snapshot
    // serves the whole rebuild, taken when first needed: every listed window was seen before it.
    std::string SnapshotName(std::uint32_t processId) {
        if (!snapshotRead_) ReadSnapshot();
        for (const auto& [id, name] : snapshotNames_)
            if (id == processId) return name;
        return "";
    }

private:
    struct Held {
        std::uint32_t processId;
        platform::ProcessOwner process;
        std::string path;
    };

    // The snapshot is always closed; one that fails leaves no names.
    void ReadSnapshot() {
        snapshotRead_ = true;
        const platform::SnapshotOwner snapshot = platform::TakeSnapshot(system_, platform::kSnapProcess, 0);
        if (!snapshot) return;
        platform::ProcessEntry entry;
        for (bool more = system_.Process32First(snapshot.get(), entry); more; more = system_.Process32Next(snapshot.get(), entry))
            snapshotNames_.emplace_back(entry.th32ProcessID, BufferText(entry.szExeFile, sizeof entry.szExeFile));
    }

    platform::IProcessSystem& system_;
    std::vector<Held> held_;
    bool snapshotRead_ = false;
    std::vector<std::pair<std::uint32_t, std::string>> snapshotNames_;
};

void TWinList::Rebuild() {
    windowList_.Clear();
    ++generation_;  // the old records are gone, whether or not the new ones all come
    ProcessPaths paths(processes_);
    for (TakenWindow& taken : taken_) AddWindow(taken, paths);
    // Remembered only once the list is whole, so that a failed rebuild is tried again.
    SortTakenHandles();
    lastSet_.swap(sortedTaken_);
    lastSum_ = currentSum_;
}

// Every value of the record is read here, while the window is listed: a window that closes or
// changes afterwards still shows what the list was made from, and its process stays the one
// that a later action checks against. The scan's title moves to the list.
void TWinList::AddWindow(TakenWindow& taken, ProcessPaths& paths) {
    const WindowHandle window = taken.handle;
    auto info = std::make_unique<TWinInfo>();
    info->hwnd = window;
    info->dwThreadId = windows_.GetWindowThreadProcessId(window, &info->dwProcessId);
    info->dwStyle = taken.styleRead ? taken.style : windows_.WindowLong(window, platform::kGwlStyle);
    info->dwExStyle = windows_.WindowLong(window, platform::kGwlExStyle);
    // A top-level window's owner is what GWL_HWNDPARENT gives it; GW_OWNER asks once where that
    // asks twice under Wine, and a window that passed the task-bar rule was found to have none.
    info->hwndParent = filter_.taskBarSty ? 0 : windows_.GetOwner(window);
    windows_.GetWindowRect(window, info->rcWindow);

    info->ClassName = windows_.WindowClassName(window, kClassLength);

    if (info->hwndParent == 0) {
        info->ParentName = "Desktop";
    } else {
        info->ParentName = Title(info->hwndParent);
        if (info->ParentName.empty()) info->ParentName = "NoName";
    }
    // Process 0 is what a window that has gone meanwhile reports, not the idle process.
    if (info->dwProcessId != 0) info->szExeFile = ExeFileOf(window, info->dwProcessId, paths);
    windowList_.AddObject(filter_.emptyNames ? Title(window) : std::move(taken.title), std::move(info));
}

// The full path is asked of the process only while the window still belongs to it: a window
// lives no longer than its process, so the identifier cannot name a later process then. A
// process that cannot be opened is looked up in a process snapshot, which gives the file name.
std::string TWinList::ExeFileOf(WindowHandle window, std::uint32_t processId, ProcessPaths& paths) const {
    std::string path;
    const auto stillOwned = [this, window, processId] { return WindowBelongsTo(window, processId); };
    if ((paths.Find(processId, path) || paths.Read(processId, stillOwned, path)) && !path.empty()) return path;
    std::string name = paths.SnapshotName(processId);
    return WindowBelongsTo(window, processId) ? name : "";  // the window outlived the snapshot
}

// The icon waits until it is asked for: taking one opens the file.
platform::IconHandle TWinList::GetIcon(int index) const {
    TWinInfo& info = Record(index);
    if (!info.iconTaken) {
        info.hIcon = info.szExeFile.empty() ? 0 : processes_.FileIcon(info.szExeFile.c_str());
        info.iconTaken = true;
    }
    return info.hIcon;
}

std::string TWinList::Title(WindowHandle window) const {
    return windows_.WindowText(window, kTitleLength);
}

int TWinList::IndexOf(WindowHandle window, std::uint32_t processId) const {
    for (int i = 0; i < windowList_.Count(); ++i)
        if (Record(i).hwnd == window && Record(i).dwProcessId == processId) return i;
    return -1;
}

// A handle that names no window has no thread: one question answers both.
bool TWinList::WindowBelongsTo(WindowHandle window, std::uint32_t processId) const {
    std::uint32_t owner = 0;
    return windows_.GetWindowThreadProcessId(window, &owner) != 0 && owner == processId;
}

void TWinList::TimerTick(TObject*) {
    FindWindows();
    const bool rebuilt = changed_;
    // The messages handled here may destroy this component (its page closing).
    const std::shared_ptr<bool> alive = alive_;
    EventLoop().ProcessMessages();
    if (*alive && rebuilt) DoChanged();
}

void TWinList::DoChanged() {
    if (OnChanged) OnChanged(this);
}
