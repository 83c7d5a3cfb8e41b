// A made-up process system for the component tests: processes and modules that a test
// lists, snapshots that walk them, and a record of what was asked and closed.
#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Platform.h"

class FakeProcessSystem : public platform::IProcessSystem {
public:
    static platform::ProcessEntry Process(std::uint32_t id, const std::string& path, std::int32_t priority = 8);
    static platform::ModuleEntry Module(std::uint32_t processId, const std::string& name, const std::string& path);

    // What the snapshots yield, in snapshot order, and what each path gives (others 0).
    std::vector<platform::ProcessEntry> processes;
    std::map<std::uint32_t, std::vector<platform::ModuleEntry>> modules;  // by process id
    std::map<std::string, platform::IconHandle> icons;
    std::map<std::string, std::uint32_t> exeTypes;

    bool snapshotFails = false;  // CreateToolhelp32Snapshot gives 0
    int failAtEntry = -1;        // the walk throws std::bad_alloc instead of giving this entry
    std::string iconFailsFor;    // FileIcon throws std::bad_alloc for this path

    // What the component asked for.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> snapshotsTaken;  // flags, process id
    int openSnapshots = 0;  // given and not closed yet
    std::vector<std::string> queriedPaths;  // by FileIcon and ExeType

    // Tests walk one snapshot at a time: the last one taken.
    platform::SnapshotHandle CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) override {
        snapshotsTaken.emplace_back(flags, processId);
        walkedProcess_ = processId;
        return snapshotFails ? 0 : (++openSnapshots, ++lastHandle_);
    }
    bool Process32First(platform::SnapshotHandle s, platform::ProcessEntry& e) override { return Walk(s, processes, e, true); }
    bool Process32Next(platform::SnapshotHandle s, platform::ProcessEntry& e) override { return Walk(s, processes, e, false); }
    bool Module32First(platform::SnapshotHandle s, platform::ModuleEntry& e) override { return Walk(s, modules[walkedProcess_], e, true); }
    bool Module32Next(platform::SnapshotHandle s, platform::ModuleEntry& e) override { return Walk(s, modules[walkedProcess_], e, false); }
    void CloseHandle(platform::SnapshotHandle) override { --openSnapshots; }
    void CompleteProcessEntry(platform::ProcessEntry&) override {}  // the made-up entries are whole
    platform::IconHandle FileIcon(const char* path) override {
        if (queriedPaths.emplace_back(path) == iconFailsFor) throw std::bad_alloc();
        return icons[path];
    }
    std::uint32_t ExeType(const char* path) override { return exeTypes[queriedPaths.emplace_back(path)]; }
    // ASCII letters compared without case; enough for made-up names.
    int CompareTextIgnoreCase(const char* a, int lengthA, const char* b, int lengthB) override;
    int CompareOrdinalIgnoreCase(const char* a, int lengthA, const char* b, int lengthB) override {
        return CompareTextIgnoreCase(a, lengthA, b, lengthB);
    }

    // Processes of the list open (when opens is set) under a handle equal to their id, with
    // the list's creation time and path; they end when ends is set, and the wait gives waitResult.
    bool opens = false, ends = true;
    std::uint32_t waitResult = 0, accessAsked = 0, currentId = 1;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> terminated;  // process id, exit code
    int openHandles = 0;

    std::function<void(std::uint32_t id)> OnOpen;  // runs at every OpenProcess, first
    std::uintptr_t OpenProcess(std::uint32_t access, bool, std::uint32_t id) override {
        if (OnOpen) OnOpen(id);
        accessAsked = access;
        return opens && Listed(id) ? (++openHandles, id) : 0;
    }
    bool TerminateProcess(std::uintptr_t process, std::uint32_t exitCode) override {
        if (ends) terminated.emplace_back(static_cast<std::uint32_t>(process), exitCode);
        return ends;
    }
    std::uint32_t WaitForSingleObject(std::uintptr_t, std::uint32_t) override { return waitResult; }
    void CloseProcessHandle(std::uintptr_t) override { --openHandles; }
    std::uint64_t ProcessCreationTime(std::uintptr_t process) override { return Listed(process)->creationTime; }
    std::map<std::uint32_t, std::string> imagePaths;  // what an opened process tells, where not its entry's
    std::string ProcessImagePath(std::uintptr_t process) override {
        const auto told = imagePaths.find(static_cast<std::uint32_t>(process));
        return told != imagePaths.end() ? told->second : Listed(process)->szExeFile;
    }
    // Every path is loaded at moduleHandle; FreeLibrary records the handle and gives frees.
    std::uint64_t moduleHandle = 0;
    bool frees = false;
    std::vector<std::uint64_t> freed;
    std::uint64_t ModuleHandleOf(const char*) override { return moduleHandle; }
    bool FreeLibrary(std::uint64_t module) override { return freed.emplace_back(module), frees; }
    std::uint32_t CurrentProcessId() override { return currentId; }

private:
    const platform::ProcessEntry* Listed(std::uintptr_t id) const {
        const auto found = std::find_if(processes.begin(), processes.end(), [&](const auto& e) { return e.th32ProcessID == id; });
        return found == processes.end() ? nullptr : &*found;
    }
    template <class Entry>
    bool Walk(platform::SnapshotHandle snapshot, const std::vector<Entry>& entries, Entry& entry, bool first) {
        if (snapshot != lastHandle_) throw std::logic_error("walk of a snapshot that was not taken last");
        if (first) next_ = 0;
        if (next_ >= entries.size()) return false;
        if (static_cast<int>(next_) == failAtEntry) throw std::bad_alloc();
        entry = entries[next_++];
        return true;
    }
    platform::SnapshotHandle lastHandle_ = 0x3F;
    std::uint32_t walkedProcess_ = 0;
    std::size_t next_ = 0;  // position of the entry the next walk call gives
};
