// The made-up process system: snapshot walks over the test's lists.
#include "support/FakeProcessSystem.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>
#include <stdexcept>

using platform::ModuleEntry;
using platform::ProcessEntry;
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

ProcessEntry FakeProcessSystem::Process(std::uint32_t id, const std::string& path, std::int32_t priority) {
    ProcessEntry entry;
    entry.th32ProcessID = id;
    entry.pcPriClassBase = priority;
    Fill(entry.szExeFile, path);
    return entry;
}

ModuleEntry FakeProcessSystem::Module(std::uint32_t processId, const std::string& name, const std::string& path) {
    ModuleEntry entry;
    entry.th32ProcessID = processId;
    Fill(entry.szModule, name);
    Fill(entry.szExePath, path);
    return entry;
}

SnapshotHandle FakeProcessSystem::CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) {
    requests.push_back({flags, processId});
    if (snapshotFails) return 0;
    open_[nextHandle_] = Snapshot{processId};
    return nextHandle_++;
}

FakeProcessSystem::Snapshot& FakeProcessSystem::Open(SnapshotHandle snapshot) {
    const auto found = open_.find(snapshot);
    if (found == open_.end()) throw std::logic_error("walk of a snapshot that is not open");
    return found->second;
}

bool FakeProcessSystem::Process32First(SnapshotHandle snapshot, ProcessEntry& entry) {
    Open(snapshot).next = 0;
    return Process32Next(snapshot, entry);
}

bool FakeProcessSystem::Process32Next(SnapshotHandle snapshot, ProcessEntry& entry) {
    Snapshot& walk = Open(snapshot);
    if (walk.next >= processes.size()) return false;
    if (static_cast<int>(walk.next) == failAtEntry) throw std::bad_alloc();
    entry = processes[walk.next++];
    return true;
}

bool FakeProcessSystem::Module32First(SnapshotHandle snapshot, ModuleEntry& entry) {
    Open(snapshot).next = 0;
    return Module32Next(snapshot, entry);
}

bool FakeProcessSystem::Module32Next(SnapshotHandle snapshot, ModuleEntry& entry) {
    Snapshot& walk = Open(snapshot);
    const auto list = modules.find(walk.processId);
    if (list == modules.end() || walk.next >= list->second.size()) return false;
    if (static_cast<int>(walk.next) == failAtEntry) throw std::bad_alloc();
    entry = list->second[walk.next++];
    return true;
}

void FakeProcessSystem::CloseHandle(SnapshotHandle snapshot) {
    closed.push_back(snapshot);
    open_.erase(snapshot);
}

platform::IconHandle FakeProcessSystem::FileIcon(const char* path) {
    iconPaths.push_back(path);
    if (path == iconFailsFor) throw std::bad_alloc();
    const auto found = icons.find(path);
    return found == icons.end() ? 0 : found->second;
}

std::uint32_t FakeProcessSystem::ExeType(const char* path) {
    typePaths.push_back(path);
    const auto found = exeTypes.find(path);
    return found == exeTypes.end() ? 0 : found->second;
}

int FakeProcessSystem::CompareTextIgnoreCase(const char* a, int lengthA, const char* b, int lengthB) {
    for (int i = 0; i < std::min(lengthA, lengthB); ++i) {
        const int x = std::tolower(static_cast<unsigned char>(a[i]));
        const int y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y) return x - y;
    }
    return lengthA - lengthB;
}
