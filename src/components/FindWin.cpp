// TWinList: the scan (enumeration, filters and task-bar rule), change detection by the
// set of handles taken, the rebuild of the records and the refresh timer.
#include "components/FindWin.h"

#include <algorithm>
#include <cstring>

using platform::WindowHandle;

namespace {

constexpr const char* kCreditText = "TWinList 1.0, the top-level window list component";

constexpr int kTitleSize = 255;  // titles of at most 254 characters
constexpr int kClassSize = 100;  // class names of at most 99 characters
// A desktop rarely shows more windows than this; the handle store holds them without
// allocating, and grows for the rare scan that takes more.
constexpr std::size_t kUsualWindows = 256;

constexpr std::uint32_t kWsPopup = 0x80000000;
constexpr std::uint32_t kWsDisabled = 0x08000000;
constexpr std::uint32_t kWsSysMenu = 0x00080000;
constexpr std::uint32_t kWsMinimizeBox = 0x00020000;

// A text that the system wrote into a buffer of size characters, cut to size - 1.
std::string BufferText(const char* buffer, int size) {
    return std::string(buffer, strnlen(buffer, static_cast<std::size_t>(size - 1)));
}

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
    currentSum_ = 0;
    timer_.SetEnabled(false);  // no tick during a scan
    try {
        filter_ = {emptyNames_, taskBarSty_, whatDoFind_};
        taken_.clear();
        windows_.EnumWindows(&TWinList::EnumWindowsProc, this);
        if (SameSetAsLastRebuild()) {
            changed_ = false;
        } else {
            Rebuild();
            changed_ = true;
        }
    } catch (...) {
        // A failed scan does not end automatic refreshing.
        if (enableTimer_) timer_.SetEnabled(true);
        throw;
    }
    if (enableTimer_) timer_.SetEnabled(true);  // the next period begins now
}

bool TWinList::EnumWindowsProc(WindowHandle window, void* context) {
    if (window == 0) return false;
    TWinList& list = *static_cast<TWinList*>(context);
    if (list.Qualifies(window)) {
        list.taken_.push_back(window);
        list.currentSum_ += window;
    }
    return true;
}

bool TWinList::Qualifies(WindowHandle window) {
    if (!filter_.emptyNames) {
        char title[kTitleSize];
        title[0] = 0;
        windows_.WindowText(window, title, kTitleSize);
        if (title[0] == 0) return false;
    }
    switch (filter_.whatDoFind) {
        case id_All:
            break;
        case id_VisOnly:
            if (!windows_.IsWindowVisible(window)) return false;
            break;
        case id_InvisOnly:
            if (windows_.IsWindowVisible(window)) return false;
            break;
        default:
            return false;
    }
    if (!filter_.taskBarSty) return true;
    if (windows_.GetOwner(window) != 0) return false;
    if (IsTaskBarWindow(window)) return true;
    // A window whose own style fails still counts when its last active popup passes; the
    // window itself, not the popup, is taken.
    const WindowHandle popup = windows_.GetLastActivePopup(window);
    return popup != window && windows_.IsWindow(popup) && IsTaskBarWindow(popup);
}

bool TWinList::IsTaskBarWindow(WindowHandle window) {
    const std::uint32_t style = windows_.WindowLong(window, platform::kGwlStyle);
    if (!(style & kWsPopup)) return true;
    return (style & kWsMinimizeBox) && !(style & kWsDisabled) && (style & kWsSysMenu);
}

// The sum tells most changes at once; equal sums still need the sets compared.
bool TWinList::SameSetAsLastRebuild() {
    if (taken_.size() != lastSet_.size() || currentSum_ != lastSum_) return false;
    sortedTaken_.assign(taken_.begin(), taken_.end());
    std::sort(sortedTaken_.begin(), sortedTaken_.end());
    return sortedTaken_ == lastSet_;
}

void TWinList::Rebuild() {
    windowList_.Clear();
    ++generation_;  // the old records are gone, whether or not the new ones all come
    if (!taken_.empty()) {
        ExeFiles exeFiles = TakeExeFiles();
        for (WindowHandle window : taken_) AddWindow(window, exeFiles);
    }
    // Remembered only once the list is whole, so that a failed rebuild is tried again.
    sortedTaken_.assign(taken_.begin(), taken_.end());
    std::sort(sortedTaken_.begin(), sortedTaken_.end());
    lastSet_.swap(sortedTaken_);
    lastSum_ = currentSum_;
}

// One process snapshot for the whole rebuild: the executable of every running process.
TWinList::ExeFiles TWinList::TakeExeFiles() {
    ExeFiles exeFiles;
    platform::ScopedSnapshot snapshot(processes_, processes_.CreateToolhelp32Snapshot(platform::kSnapProcess, 0));
    if (!snapshot.get()) return exeFiles;
    platform::ProcessEntry entry;
    for (bool more = processes_.Process32First(snapshot.get(), entry); more;
         more = processes_.Process32Next(snapshot.get(), entry)) {
        exeFiles.try_emplace(entry.th32ProcessID, ExeFile{entry});
    }
    return exeFiles;
}

void TWinList::AddWindow(WindowHandle window, ExeFiles& exeFiles) {
    auto info = std::make_unique<TWinInfo>();
    info->hwnd = window;
    info->dwThreadId = windows_.GetWindowThreadProcessId(window, &info->dwProcessId);
    info->dwStyle = windows_.WindowLong(window, platform::kGwlStyle);
    info->dwExStyle = windows_.WindowLong(window, platform::kGwlExStyle);
    info->hwndParent = windows_.WindowLong(window, platform::kGwlHwndParent);

    char className[kClassSize];
    className[0] = 0;
    windows_.WindowClassName(window, className, kClassSize);
    info->ClassName = BufferText(className, kClassSize);

    if (info->hwndParent == 0) {
        info->ParentName = "Desktop";
    } else {
        info->ParentName = Title(info->hwndParent);
        if (info->ParentName.empty()) info->ParentName = "NoName";
    }

    std::string title = Title(window);

    // Process 0 is what a window that has gone meanwhile reports, not the idle process.
    if (info->dwProcessId != 0) {
        const auto found = exeFiles.find(info->dwProcessId);
        if (found != exeFiles.end()) {
            ExeFile& exeFile = found->second;
            if (!exeFile.completed) processes_.CompleteProcessEntry(exeFile.entry);
            exeFile.completed = true;
            info->szExeFile = BufferText(exeFile.entry.szExeFile, platform::kMaxPath);
        }
    }
    windowList_.AddObject(std::move(title), std::move(info));
}

// The icon waits until a record's is read: most records are never shown, and taking an
// icon opens the file. One that fails is tried again next time.
platform::IconHandle TWinList::GetIcon(int index) const {
    const TWinInfo& info = Record(index);
    if (!info.iconTaken) {
        info.hIcon = info.szExeFile.empty() ? 0 : processes_.FileIcon(info.szExeFile.c_str());
        info.iconTaken = true;
    }
    return info.hIcon;
}

std::string TWinList::Title(WindowHandle window) {
    char title[kTitleSize];
    title[0] = 0;
    windows_.WindowText(window, title, kTitleSize);
    return BufferText(title, kTitleSize);
}

int TWinList::IndexOf(WindowHandle window, std::uint32_t processId) const {
    for (int i = 0; i < windowList_.Count(); ++i)
        if (Record(i).hwnd == window && Record(i).dwProcessId == processId) return i;
    return -1;
}

bool TWinList::WindowBelongsTo(WindowHandle window, std::uint32_t processId) {
    std::uint32_t owner = 0;
    if (!windows_.IsWindow(window)) return false;
    windows_.GetWindowThreadProcessId(window, &owner);
    return owner == processId;
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
