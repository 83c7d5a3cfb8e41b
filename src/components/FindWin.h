// TWinList: the non-visual component that lists the desktop's top-level windows that pass
// a visibility filter and two optional rules, one TWinInfo record per window, and rescans
// on a timer, telling its owner when the set of windows has changed.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "toolkit/Component.h"
#include "toolkit/StringList.h"
#include "toolkit/Timer.h"

// Which windows a scan takes by visibility; stored in one byte.
enum TFind_ID : std::uint8_t { id_All = 0, id_VisOnly = 1, id_InvisOnly = 2 };

// One listed window, read whole by the rebuild that lists it (its title is the list's text) and
// kept as it was then, though the window change or close later; only the icon is taken from
// the executable's file when it is first asked for.
class TWinInfo : public TObject {
public:
    platform::WindowHandle hwndParent = 0;  // owner of a top-level window; 0 when none
    platform::WindowHandle hwnd = 0;
    std::uint32_t dwThreadId = 0;
    std::string ParentName;  // owner's title, "Desktop" without owner, "NoName" when untitled
    std::string ClassName;   // at most 99 characters
    // Executable of the owning process: its full path where the process tells it, else the
    // file name a process snapshot gives; empty when neither does.
    std::string szExeFile;
    platform::IconHandle hIcon = 0;  // the executable's icon, kept by the platform; 0 when none
    std::uint32_t dwProcessId = 0;
    std::uint32_t dwStyle = 0;
    std::uint32_t dwExStyle = 0;
    platform::WindowRect rcWindow;  // the window's bounds on the screen
    bool iconTaken = false;  // hIcon, read only when asked for: it opens the file
};

// The error of a value that does not fit its unsigned destination.
class ERangeError : public std::range_error {
public:
    ERangeError() : std::range_error("Range check error") {}
};

class TWinList : public TComponent {
public:
    // Both platform parts are borrowed and must outlive the component.
    TWinList(TComponent* owner, platform::IWindowSystem& windows, platform::IProcessSystem& processes);
    ~TWinList() override;

    // Writing a value other than the current one stores the component's credit text.
    const std::string& About() const { return about_; }
    void SetAbout(const std::string& value);

    TFind_ID WhatDoFind() const { return whatDoFind_; }
    void SetWhatDoFind(TFind_ID value) { whatDoFind_ = value; }
    bool EmptyNames() const { return emptyNames_; }
    void SetEmptyNames(bool value) { emptyNames_ = value; }
    bool TaskBarSty() const { return taskBarSty_; }
    void SetTaskBarSty(bool value) { taskBarSty_ = value; }

    // The list of the last rebuild: titles in scan order, each with its TWinInfo.
    const TStringList& WindowList() const { return windowList_; }

    // Period of the refresh timer in milliseconds. A value below 1 turns the timer off
    // first; a negative one is stored and then raises ERangeError, the period unchanged.
    int TimerIntval() const { return timerIntval_; }
    void SetTimerIntval(int value);
    bool EnableTimer() const { return enableTimer_; }
    void SetEnableTimer(bool value);

    // Called from a timer tick whose scan rebuilt the list, with the component as sender.
    std::function<void(TObject* sender)> OnChanged;

    // One scan; the list is rebuilt only when the set of qualifying windows has changed.
    virtual void FindWindows();
    // Whether the last scan rebuilt the list.
    bool Changed() const { return changed_; }
    // Counts the rebuilds of the list: an owner that remembers the value it showed can tell
    // whether its view still pairs its lines with these records.
    std::uint32_t Generation() const { return generation_; }

    // Fields of the record at a list index; an index outside the list raises the list's
    // index error. <windows.h> renames GetClassName, so the getters live in this header
    // and answer to both spellings.
    platform::WindowHandle GetHwndParent(int index) const { return Record(index).hwndParent; }
    platform::WindowHandle GetHwnd(int index) const { return Record(index).hwnd; }
    std::uint32_t GetThreadId(int index) const { return Record(index).dwThreadId; }
    platform::IconHandle GetIcon(int index) const;
    std::uint32_t GetProcessId(int index) const { return Record(index).dwProcessId; }
    std::uint32_t GetStyle(int index) const { return Record(index).dwStyle; }
    std::uint32_t GetExStyle(int index) const { return Record(index).dwExStyle; }
    const platform::WindowRect& GetRect(int index) const { return Record(index).rcWindow; }
    const std::string& GetExeFile(int index) const { return Record(index).szExeFile; }
    const std::string& GetClassName(int index) const { return Record(index).ClassName; }
#ifndef GetClassName
    // windows.h, when a caller includes it after this header, renames the calls GetClassNameW.
    const std::string& GetClassNameW(int index) const { return Record(index).ClassName; }
#endif
    const std::string& GetParentName(int index) const { return Record(index).ParentName; }
    // Whether a scan with these settings would take the window as it is now.
    bool WouldTake(platform::WindowHandle window, TFind_ID whatDoFind, bool emptyNames, bool taskBarSty);
    // Scans take this window alone, where it is a top-level window that passes the filters;
    // 0 (the default) lets them take every window.
    void SetOnlyWindow(platform::WindowHandle window) { onlyWindow_ = window; }
    // Index of the record of this window and process, or -1.
    int IndexOf(platform::WindowHandle window, std::uint32_t processId) const;

    // Whether the window exists now and belongs to the process: while the process is held
    // open, proof that its identifier still names the window's process.
    bool WindowBelongsTo(platform::WindowHandle window, std::uint32_t processId) const;

protected:
    void TimerTick(TObject* sender);
    void DoChanged();

private:
    // Filter settings as they were when the running scan began.
    struct ScanFilter {
        bool emptyNames = false;
        bool taskBarSty = true;
        TFind_ID whatDoFind = id_VisOnly;
    };

    // A window the scan took, with its title unless untitled windows were taken too, and its
    // style word where a filter needed it.
    struct TakenWindow {
        platform::WindowHandle handle = 0;
        std::string title;
        std::uint32_t style = 0;
        bool styleRead = false;
    };

    // The executables' paths that the running rebuild has read, by process (FindWin.cpp).
    class ProcessPaths;

    void ScanAndRebuild();
    static bool EnumWindowsProc(platform::WindowHandle window, void* context);
    bool Qualifies(TakenWindow& window, const ScanFilter& filter);
    static bool IsTaskBarStyle(std::uint32_t style);
    bool SameSetAsLastRebuild();
    void SortTakenHandles();
    void Rebuild();
    void AddWindow(TakenWindow& taken, ProcessPaths& paths);
    std::string ExeFileOf(platform::WindowHandle window, std::uint32_t processId, ProcessPaths& paths) const;
    std::string Title(platform::WindowHandle window) const;
    TWinInfo& Record(int index) const { return static_cast<TWinInfo&>(*windowList_.Objects(index)); }

    platform::IWindowSystem& windows_;
    platform::IProcessSystem& processes_;

    TFind_ID whatDoFind_ = id_VisOnly;
    TStringList windowList_;
    bool emptyNames_ = false;
    bool enableTimer_ = false;
    bool taskBarSty_ = true;
    TTimer timer_;
    int timerIntval_ = 500;
    std::string about_;

    // Scan state, this component's own.
    ScanFilter filter_;
    platform::WindowHandle onlyWindow_ = 0;
    std::vector<TakenWindow> taken_;                  // windows of the running scan, in order
    TakenWindow candidate_;                           // the window being tested
    std::uint32_t currentSum_ = 0;                    // their sum, wrapping
    std::vector<platform::WindowHandle> sortedTaken_; // the same, sorted, to compare as a set
    std::vector<platform::WindowHandle> lastSet_;     // sorted handles of the last rebuild
    std::uint32_t lastSum_ = 0;
    bool changed_ = false;
    std::uint32_t generation_ = 0;

    // Set to false when the component is destroyed, so that a tick can tell whether the
    // messages it let run have destroyed its component.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
