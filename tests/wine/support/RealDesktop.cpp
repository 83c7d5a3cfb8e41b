// RealDesktop: copies of proc_child under many names, started suspended into a
// kill-on-close job and let go; each idle child tells it runs by its own event.
#include "support/RealDesktop.h"

#include <algorithm>

#include "shared/Utf16.h"
#include "support/ChildProcess.h"

RealDesktop::RealDesktop() : job_(::CreateJobObjectA(nullptr, nullptr)) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    ::SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    wchar_t temp[MAX_PATH];
    const std::string top = Utf8FromUtf16({temp, ::GetTempPathW(MAX_PATH, temp)}) + "velqorns-desktop-" + std::to_string(::GetCurrentProcessId());
    // Where each copy goes and how many times it runs; the top folder first.
    struct Copies {
        std::string folder, name;
        int runs;
    };
    std::vector<Copies> copies = {{top, kManyName, kManyCount}, {top + "\\Tom & Jérry", "np&x.exe", 1},
                                  {top + "\\old", "BROWSER.EXE", 2}, {top + "\\legacy", "Browser.exe", 2}};
    for (int i = 1; i <= 20; ++i) copies.push_back({top + "\\apps", "worker" + std::to_string(i) + ".exe", 4});
    oddProgram_ = copies[1].folder + "\\np&x.exe";
    std::vector<HANDLE> ready;
    for (const Copies& each : copies) {
        if (::CreateDirectoryW(Utf16FromUtf8(each.folder).c_str(), nullptr)) made_.push_back(each.folder);
        if (!::CopyFileW(Utf16FromUtf8(ChildProcess::Path()).c_str(), Utf16FromUtf8(each.folder + "\\" + each.name).c_str(), FALSE))
            return;
        made_.push_back(each.folder + "\\" + each.name);
        for (int run = 0; run < each.runs; ++run) {
            const std::string event = "VelqornsDesktop" + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(ready.size());
            ready.push_back(::CreateEventA(nullptr, TRUE, FALSE, event.c_str()));
            PROCESS_INFORMATION info{};
            if (!StartProcess(each.folder + "\\" + each.name, event, info, job_)) return;
            processes_.push_back({each.name, info.hProcess, info.dwProcessId});
        }
    }
    started_ = true;
    for (std::size_t first = 0; first < ready.size(); first += MAXIMUM_WAIT_OBJECTS) {
        const DWORD count = static_cast<DWORD>(std::min<std::size_t>(MAXIMUM_WAIT_OBJECTS, ready.size() - first));
        started_ = started_ && ::WaitForMultipleObjects(count, &ready[first], TRUE, kWaitLimit) == WAIT_OBJECT_0;
    }
    for (HANDLE event : ready) ::CloseHandle(event);
}

RealDesktop::~RealDesktop() {
    ::TerminateJobObject(job_, 0);
    for (const Process& process : processes_)  // also those the job could not take
        ::TerminateProcess(process.handle, 0), ::WaitForSingleObject(process.handle, kWaitLimit), ::CloseHandle(process.handle);
    ::CloseHandle(job_);
    for (auto made = made_.rbegin(); made != made_.rend(); ++made)
        if (!::DeleteFileW(Utf16FromUtf8(*made).c_str())) ::RemoveDirectoryW(Utf16FromUtf8(*made).c_str());
}

std::vector<DWORD> RealDesktop::IdsOf(const std::string& fileName) const {
    std::vector<DWORD> ids;
    for (const Process& process : processes_)
        if (::lstrcmpiW(Utf16FromUtf8(process.name).c_str(), Utf16FromUtf8(fileName).c_str()) == 0 && ::WaitForSingleObject(process.handle, 0) == WAIT_TIMEOUT)
            ids.push_back(process.id);
    std::sort(ids.begin(), ids.end());
    return ids;
}

void RealDesktop::End(DWORD id) {
    for (const Process& process : processes_)
        if (process.id == id) ::TerminateProcess(process.handle, 0), ::WaitForSingleObject(process.handle, kWaitLimit);
}
