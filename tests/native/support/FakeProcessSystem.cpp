// The made-up process system: snapshot walks over the test's lists.
#include "support/FakeProcessSystem.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>
#include <stdexcept>

using platform::SnapshotHandle;

namespace {
// Copies text into a fixed snapshot array; a text as long as the array gets no NUL.
template <std::size_t N>
void Fill(char (&array)[N], const std::string& text) {
    if (text.size() > N) throw std::invalid_argument("text longer than its snapshot field");
    std::memset(array, 0, N);
    std::memcpy(array, text.data(), text.size());
}
}  // namespace

platform::ProcessEntry FakeProcessSystem::Process(std::uint32_t id, const std::string& path, std::int32_t priority) {
    platform::ProcessEntry entry;
    entry.th32ProcessID = id;
    entry.pcPriClassBase = priority;
    Fill(entry.szExeFile, path);
    return entry;
}

platform::ModuleEntry FakeProcessSystem::Module(std::uint32_t processId, const std::string& name, const std::string& path) {
    platform::ModuleEntry entry;
    entry.th32ProcessID = processId;
    Fill(entry.szModule, name);
    Fill(entry.szExePath, path);
    return entry;
}

SnapshotHandle FakeProcessSystem::CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) {
    snapshotsTaken.emplace_back(flags, processId);
    if (snapshotFails) return 0;
    walkedProcess_ = processId;
    return ++lastHandle_;
}

template <class Entry>
bool FakeProcessSystem::Next(const std::vector<Entry>& entries, Entry& entry, bool first) {
    if (first) next_ = 0;
    if (next_ >= entries.size()) return false;
    if (static_cast<int>(next_) == failAtEntry) throw std::bad_alloc();
    entry = entries[next_++];
    return true;
}

bool FakeProcessSystem::Walk(SnapshotHandle snapshot, platform::ProcessEntry& entry, bool first) {
    if (snapshot != lastHandle_) throw std::logic_error("walk of a snapshot that was not taken last");
    return Next(processes, entry, first);
}

bool FakeProcessSystem::Walk(SnapshotHandle snapshot, platform::ModuleEntry& entry, bool first) {
    if (snapshot != lastHandle_) throw std::logic_error("walk of a snapshot that was not taken last");
    return Next(modules[walkedProcess_], entry, first);
}

void FakeProcessSystem::CloseHandle(SnapshotHandle snapshot) { closed.push_back(snapshot); }

platform::IconHandle FakeProcessSystem::FileIcon(const char* path) {
    queriedPaths.push_back(path);
    if (path == iconFailsFor) throw std::bad_alloc();
    const auto found = icons.find(path);
    return found == icons.end() ? 0 : found->second;
}

std::uint32_t FakeProcessSystem::ExeType(const char* path) {
    queriedPaths.push_back(path);
    const auto found = exeTypes.find(path);
    return found == exeTypes.end() ? 0 : found->second;
}

std::uintptr_t FakeProcessSystem::OpenProcess(std::uint32_t access, bool, std::uint32_t id) {
    accessAsked = access;
    const bool listed = std::any_of(processes.begin(), processes.end(), [&](const auto& entry) { return entry.th32ProcessID == id; });
    return opens && listed ? (++openHandles, id) : 0;
}

bool FakeProcessSystem::TerminateProcess(std::uintptr_t process, std::uint32_t exitCode) {
    if (ends) terminated.emplace_back(static_cast<std::uint32_t>(process), exitCode);
    return ends;
}

const platform::ProcessEntry& FakeProcessSystem::Opened(std::uintptr_t process) const {
    for (const platform::ProcessEntry& entry : processes)
        if (entry.th32ProcessID == process) return entry;
    throw std::logic_error("a process that was not opened");
}

int FakeProcessSystem::CompareTextIgnoreCase(const char* a, int lengthA, const char* b, int lengthB) {
    for (int i = 0; i < std::min(lengthA, lengthB); ++i) {
        const int x = std::tolower(static_cast<unsigned char>(a[i]));
        const int y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y) return x - y;
    }
    return lengthA - lengthB;
}
