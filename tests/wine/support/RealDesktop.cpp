// RealDesktop: copies of the helper programs under many names, started suspended into a
// kill-on-close job and let go together; each idle child tells it runs by its own event.
#include "support/RealDesktop.h"

#include <algorithm>

#include "support/ChildProcess.h"

namespace {

constexpr DWORD kWaitLimit = 60000;  // a broken build fails a test rather than hanging

std::string FileNamePart(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

bool Copy(const std::string& from, const std::string& folder, const std::string& name) {
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return ::CopyFileA(from.c_str(), (folder + "\\" + name).c_str(), FALSE) != FALSE;
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                ::DeleteFileA(path.c_str());
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(folder.c_str());
}

}  // namespace

RealDesktop::RealDesktop() : job_(::CreateJobObjectA(nullptr, nullptr)) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    ::SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);

    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "velqorns-desktop-" + std::to_string(::GetCurrentProcessId());
    const std::string idle = ChildProcess::Path(), windowed = BesideThisProgram("titled_window.exe");
    const std::string odd = folder_ + "\\Tom & J\xE9rry";
    oddProgram_ = odd + "\\np&x.exe";
    // Where each copy goes and how many times it runs.
    struct Copies {
        std::string folder, name;
        int runs;
    };
    std::vector<Copies> copies = {{folder_, kManyName, kManyCount},
                                  {folder_ + "\\old", "BROWSER.EXE", 2},
                                  {folder_ + "\\legacy", "Browser.exe", 2}};
    for (int i = 1; i <= 20; ++i) copies.push_back({folder_ + "\\apps", "worker" + std::to_string(i) + ".exe", 4});

    ::CreateDirectoryA(folder_.c_str(), nullptr);
    bool copied = Copy(windowed, odd, "np&x.exe");
    for (const Copies& each : copies) copied = copied && Copy(idle, each.folder, each.name);
    if (!copied) return;

    std::vector<HANDLE> ready;
    for (const Copies& each : copies)
        for (int run = 0; run < each.runs; ++run) {
            const std::string event = "VelqornsDesktop" + std::to_string(::GetCurrentProcessId()) + "_" +
                                      std::to_string(ready.size());
            ready.push_back(::CreateEventA(nullptr, TRUE, FALSE, event.c_str()));
            if (!Launch(each.folder + "\\" + each.name, event + " 0")) return;
        }
    const HANDLE oddProcess = Launch(oddProgram_, std::string("\"") + kOddTitle + "\"");
    if (!oddProcess) return;

    // A console program that opens a window: it is ready once its window is there.
    for (DWORD waited = 0; !started_ && waited < kWaitLimit; waited += 10) {
        started_ = ::FindWindowA(nullptr, kOddTitle) != nullptr;
        if (!started_ && ::WaitForSingleObject(oddProcess, 10) != WAIT_TIMEOUT) break;
    }
    for (std::size_t first = 0; first < ready.size(); first += MAXIMUM_WAIT_OBJECTS) {
        const DWORD count = static_cast<DWORD>(std::min<std::size_t>(MAXIMUM_WAIT_OBJECTS, ready.size() - first));
        started_ = started_ && ::WaitForMultipleObjects(count, &ready[first], TRUE, kWaitLimit) == WAIT_OBJECT_0;
    }
    for (HANDLE event : ready) ::CloseHandle(event);
}

HANDLE RealDesktop::Launch(const std::string& path, const std::string& arguments) {
    std::string commandLine = "\"" + path + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                          &startup, &info))
        return nullptr;
    ::AssignProcessToJobObject(job_, info.hProcess);
    ::ResumeThread(info.hThread);
    ::CloseHandle(info.hThread);
    processes_.push_back({path, info.hProcess, info.dwProcessId});
    return info.hProcess;
}

RealDesktop::~RealDesktop() {
    ::TerminateJobObject(job_, 0);
    for (const Process& process : processes_) {
        ::TerminateProcess(process.handle, 0);  // also when the job could not take it
        ::WaitForSingleObject(process.handle, kWaitLimit);
        ::CloseHandle(process.handle);
    }
    ::CloseHandle(job_);
    RemoveTree(folder_);
}

std::vector<DWORD> RealDesktop::IdsOf(const std::string& fileName) const {
    std::vector<DWORD> ids;
    for (const Process& process : processes_)
        if (::lstrcmpiA(FileNamePart(process.path).c_str(), fileName.c_str()) == 0 &&
            ::WaitForSingleObject(process.handle, 0) == WAIT_TIMEOUT)
            ids.push_back(process.id);
    return ids;
}

void RealDesktop::End(DWORD id) {
    for (const Process& process : processes_)
        if (process.id == id) {
            ::TerminateProcess(process.handle, 0);
            ::WaitForSingleObject(process.handle, kWaitLimit);
        }
}
