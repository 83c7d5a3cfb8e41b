// A made-up process system for the component tests: processes and modules that a test
// lists, snapshots that walk them, and a record of what was asked and closed.
#pragma once

#include <map>
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
    std::vector<platform::SnapshotHandle> closed;
    std::vector<std::string> queriedPaths;  // by FileIcon and ExeType

    platform::SnapshotHandle CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) override;
    bool Process32First(platform::SnapshotHandle s, platform::ProcessEntry& e) override { return Walk(s, e, true); }
    bool Process32Next(platform::SnapshotHandle s, platform::ProcessEntry& e) override { return Walk(s, e, false); }
    bool Module32First(platform::SnapshotHandle s, platform::ModuleEntry& e) override { return Walk(s, e, true); }
    bool Module32Next(platform::SnapshotHandle s, platform::ModuleEntry& e) override { return Walk(s, e, false); }
    void CloseHandle(platform::SnapshotHandle snapshot) override;
    void CompleteProcessEntry(platform::ProcessEntry&) override {}  // the made-up entries are whole
    platform::IconHandle FileIcon(const char* path) override;
    std::uint32_t ExeType(const char* path) override;
    // ASCII letters compared without case; enough for made-up names.
    int CompareTextIgnoreCase(const char* a, int lengthA, const char* b, int lengthB) override;

    // Processes of the list open (when opens is set) under a handle equal to their id, with
    // the list's creation time and path; they end when ends is set, and the wait gives waitResult.
    bool opens = false, ends = true;
    std::uint32_t waitResult = 0, accessAsked = 0, currentId = 1;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> terminated;  // process id, exit code
    int openHandles = 0;

    std::uintptr_t OpenProcess(std::uint32_t access, bool, std::uint32_t id) override;
    bool TerminateProcess(std::uintptr_t process, std::uint32_t exitCode) override;
    std::uint32_t WaitForSingleObject(std::uintptr_t, std::uint32_t) override { return waitResult; }
    void CloseProcessHandle(std::uintptr_t) override { --openHandles; }
    std::uint64_t ProcessCreationTime(std::uintptr_t process) override { return Opened(process).creationTime; }
    std::string ProcessImagePath(std::uintptr_t process) override { return Opened(process).szExeFile; }
    std::uint64_t ModuleHandleOf(const char*) override { return 0; }
    bool FreeLibrary(std::uint64_t) override { return false; }
    std::uint32_t CurrentProcessId() override { return currentId; }

private:
    const platform::ProcessEntry& Opened(std::uintptr_t process) const;
    bool Walk(platform::SnapshotHandle snapshot, platform::ProcessEntry& entry, bool first);
    bool Walk(platform::SnapshotHandle snapshot, platform::ModuleEntry& entry, bool first);
    template <class Entry>
    bool Next(const std::vector<Entry>& entries, Entry& entry, bool first);

    // Tests walk one snapshot at a time: the last one taken.
    platform::SnapshotHandle lastHandle_ = 0x3F;
    std::uint32_t walkedProcess_ = 0;
    std::size_t next_ = 0;  // position of the entry the next walk call gives
};
