// TProcList: process and module snapshots into sorted lists of records, and the short
// priority and executable-type texts kept with each process.
#include "components/FindProc.h"

#include <cstring>
#include <memory>

#include "shared/ShortenPath.h"

namespace {

constexpr std::size_t kShortTextCapacity = 12;

// A snapshot text array up to its first NUL; a full array without one is kept whole.
std::string FixedText(const char* text, std::size_t capacity) { return std::string(text, strnlen(text, capacity)); }

std::string Cut(std::string text) {
    if (text.size() > kShortTextCapacity) text.resize(kShortTextCapacity);
    return text;
}


// Both lists keep the order of the user's locale, letter case ignored.
TStringList::Comparer LocaleOrderIgnoringCase(platform::IProcessSystem& system) {
    return [&system](const std::string& a, const std::string& b) {
        return system.CompareTextIgnoreCase(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()));
    };
}

bool ByProcessId(const TObject& a, const TObject& b) {
    return static_cast<const TProcessInfo&>(a).th32ProcessID < static_cast<const TProcessInfo&>(b).th32ProcessID;
}

bool ByBaseAddress(const TObject& a, const TObject& b) {
    return static_cast<const TModuleInfo&>(a).modBaseAddr < static_cast<const TModuleInfo&>(b).modBaseAddr;
}

// A value asked of the file the first time it is read, then kept; a lookup that fails (throws)
// is tried again the next time.
template <class Value, class Lookup>
Value TakenOnce(Value& value, bool& taken, Lookup lookup) {
    if (!taken) {
        value = lookup();
        taken = true;
    }
    return value;
}

}  // namespace

const char* const TProcList::kCreditText = "TProcList 1.0 - process and module lists";

std::string PriorityToText(std::int32_t basePriority) {
    switch (basePriority) {
    case 4: return "[Idle    ]";
    case 8: return "[Normal  ]";
    case 13: return "[High    ]";
    case 24: return "[RealTime]";
    default: return "[Unknown]";
    }
}

std::string ExeTypeToText(std::uint32_t exeType) {
    if (exeType == 0) return "";
    const unsigned letters = exeType & 0xFFFF;    // header signature, first letter in the low byte
    const unsigned version = exeType >> 16;       // Windows version the file is marked for
    switch (letters) {
    case 0x454E:  // NE
    case 0x4550:  // PE
    case 0x0000:
        if (version == 0x0300 || version == 0x030A) return "16-Bit";
        if (version == 0x0400) return "32-Bit";
        return "hi:" + std::to_string(version);
    case 0x454C: return "Vxd";     // LE
    case 0x5A4D: return "MS-Dos";  // MZ
    default: return "lo:" + std::to_string(letters);
    }
}

TProcList::TProcList(TComponent* owner, platform::IProcessSystem& system)
    : TComponent(owner),
      system_(system),
      moduleList_(LocaleOrderIgnoringCase(system), ByBaseAddress),
      processList_(LocaleOrderIgnoringCase(system), ByProcessId) {}

TProcList::~TProcList() {
    moduleList_.Clear();
    processList_.Clear();
}

void TProcList::SetAbout(const std::string& value) {
    if (value == about_) return;
    about_ = kCreditText;
}

const TProcessInfo& TProcList::Process(int index) const {
    return *static_cast<const TProcessInfo*>(processList_.Objects(index));
}

const TModuleInfo& TProcList::Module(int index) const {
    return *static_cast<const TModuleInfo*>(moduleList_.Objects(index));
}

TProcessIdentity TProcList::ProcessIdentity(int index) const {
    const TProcessInfo& process = Process(index);
    return {process.th32ProcessID, process.CreationTime, process.szExeFile};
}

// The file lookups wait until a record's type or icon is read: most records are never
// shown, and each lookup opens the file.
std::string TProcList::ProcessExeType(int index) const {
    const TProcessInfo& info = Process(index);
    return TakenOnce(info.ExeTypeText, info.exeTypeTaken,
                     [&] { return Cut(ExeTypeToText(system_.ExeType(info.szExeFile.c_str()))); });
}

platform::IconHandle TProcList::ProcessIcon(int index) const {
    const TProcessInfo& info = Process(index);
    return TakenOnce(info.hIcon, info.iconTaken, [&] { return system_.FileIcon(info.szExeFile.c_str()); });
}

platform::IconHandle TProcList::ModuleIcon(int index) const {
    const TModuleInfo& info = Module(index);
    return TakenOnce(info.hIcon, info.iconTaken, [&] { return system_.FileIcon(info.szExePath.c_str()); });
}

void TProcList::ReadProcessList() {
    processList_.Clear();
    const platform::SnapshotOwner snapshot = platform::TakeSnapshot(system_, platform::kSnapProcess, 0);
    if (!snapshot) return;
    platform::ProcessEntry entry;
    if (!system_.Process32First(snapshot.get(), entry)) return;
    do {
        system_.CompleteProcessEntry(entry);
        AddProcess(entry);
    } while (system_.Process32Next(snapshot.get(), entry));
}

void TProcList::ReadModuleList(std::uint32_t processId) {
    moduleList_.Clear();
    if (processId == 0) return;
    const platform::SnapshotOwner snapshot = platform::TakeSnapshot(system_, platform::kSnapModule, processId);
    if (!snapshot) return;
    platform::ModuleEntry entry;
    if (!system_.Module32First(snapshot.get(), entry)) return;
    do {
        AddModule(entry);
    } while (system_.Module32Next(snapshot.get(), entry));
}

void TProcList::AddProcess(const platform::ProcessEntry& entry) {
    auto info = std::make_unique<TProcessInfo>();
    // The path goes on terminated: a full snapshot array need not end in a NUL.
    info->szExeFile = FixedText(entry.szExeFile, sizeof entry.szExeFile);
    static_cast<platform::ProcessNumbers&>(*info) = entry;
    info->CreationTime = entry.creationTime;
    info->PriorityText = Cut(PriorityToText(info->pcPriClassBase));
    std::string name = FileNamePart(info->szExeFile);
    processList_.AddObject(std::move(name), std::move(info));
}

void TProcList::AddModule(const platform::ModuleEntry& entry) {
    auto info = std::make_unique<TModuleInfo>();
    info->szExePath = FixedText(entry.szExePath, sizeof entry.szExePath);
    static_cast<platform::ModuleNumbers&>(*info) = entry;
    moduleList_.AddObject(FixedText(entry.szModule, sizeof entry.szModule), std::move(info));
}
