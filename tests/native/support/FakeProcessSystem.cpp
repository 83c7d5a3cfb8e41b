// The made-up process system: entries as a snapshot holds them, names compared without case.
#include "support/FakeProcessSystem.h"

#include <algorithm>
#include <strings.h>

#include <cstring>

// Copies text into a fixed snapshot array; a text as long as the array gets no NUL.
template <std::size_t N>
static void Fill(char (&array)[N], const std::string& text) {
    if (text.size() > N) throw std::invalid_argument("text longer than its snapshot field");
    std::memset(array, 0, N);
    std::memcpy(array, text.data(), text.size());
}

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

int FakeProcessSystem::CompareTextIgnoreCase(const char* a, int lengthA, const char* b, int lengthB) {
    const int order = ::strncasecmp(a, b, static_cast<std::size_t>(std::min(lengthA, lengthB)));
    return order != 0 ? order : lengthA - lengthB;
}
