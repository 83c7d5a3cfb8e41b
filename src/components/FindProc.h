// TProcList: takes a process snapshot, or a module snapshot of one process, into two
// sorted lists of records (executable or module name -> the snapshot entry's fields), one
// entry per process and per module: equal names, which are common (a service host runs
// dozens of times), are ordered by process identifier or by base address.
#pragma once

#include <cstdint>
#include <string>

#include "components/ProcessActions.h"
#include "platform/Platform.h"
#include "toolkit/Component.h"
#include "toolkit/StringList.h"

// One entry of ProcessList: the fields of the process snapshot entry and three derived values.
class TProcessInfo : public TObject, public platform::ProcessNumbers {
public:
    std::string szExeFile;     // full path, at most 260 characters
    std::string PriorityText;  // PriorityToText, at most 12 characters
    // Taken from the file when first asked for (TProcList::ProcessExeType, ProcessIcon) and
    // kept: a refill reads the snapshot alone, however many processes run.
    mutable std::string ExeTypeText;  // ExeTypeToText, at most 12 characters
    mutable platform::IconHandle hIcon = 0;
    mutable bool exeTypeTaken = false;
    mutable bool iconTaken = false;
    std::uint64_t CreationTime = 0;  // when the process started; 0 when it could not be read
};

// One entry of ModuleList; the module's name is the entry's text, not a field.
class TModuleInfo : public TObject, public platform::ModuleNumbers {
public:
    std::string szExePath;          // at most 260 characters
    mutable platform::IconHandle hIcon = 0;  // taken when first asked for (TProcList::ModuleIcon)
    mutable bool iconTaken = false;
};

// "[Idle    ]", "[Normal  ]", "[High    ]", "[RealTime]" or "[Unknown]".
std::string PriorityToText(std::int32_t basePriority);
// The executable-type value of a file (low word: header letters, high word: Windows
// version it is marked for) as a short text; empty for 0.
std::string ExeTypeToText(std::uint32_t exeType);

class TProcList : public TComponent {
public:
    // system is borrowed and must outlive the component.
    TProcList(TComponent* owner, platform::IProcessSystem& system);
    ~TProcList() override;

    // Empty after construction; assigning anything but the current text gives the credit text.
    const std::string& About() const { return about_; }
    void SetAbout(const std::string& value);

    // Refill their list from a new snapshot; a snapshot that cannot be taken leaves it empty.
    // ReadProcessList leaves ModuleList alone.
    void ReadProcessList();
    // Process 0 gives an empty list: a module snapshot of 0 would be one of this program.
    void ReadModuleList(std::uint32_t processId);

    const TStringList& ProcessList() const { return processList_; }
    const TStringList& ModuleList() const { return moduleList_; }

    // Fields of entry index of ProcessList; a bad index raises "List index out of bounds (%d)".
    // The executable type and the icon are asked of the file the first time they are read.
    std::uint32_t ProcessCntUsage(int index) const { return Process(index).cntUsage; }
    std::uint32_t ProcessID(int index) const { return Process(index).th32ProcessID; }
    std::uint64_t ProcessDefaultHeapID(int index) const { return Process(index).th32DefaultHeapID; }
    std::uint32_t ProcessModuleID(int index) const { return Process(index).th32ModuleID; }
    std::uint32_t ProcessCntThreads(int index) const { return Process(index).cntThreads; }
    std::uint32_t ProcessParentID(int index) const { return Process(index).th32ParentProcessID; }
    std::int32_t ProcessPriClassBase(int index) const { return Process(index).pcPriClassBase; }
    std::uint32_t ProcessFlags(int index) const { return Process(index).dwFlags; }
    std::string ProcessExeFile(int index) const { return Process(index).szExeFile; }
    std::string ProcessPriorityText(int index) const { return Process(index).PriorityText; }
    std::string ProcessExeType(int index) const;
    platform::IconHandle ProcessIcon(int index) const;
    // What tells this entry's process from a later one that is given the same identifier.
    TProcessIdentity ProcessIdentity(int index) const;

    // Fields of entry index of ModuleList, likewise.
    std::uint32_t ModuleID(int index) const { return Module(index).th32ModuleID; }
    std::uint32_t ModuleProcessID(int index) const { return Module(index).th32ProcessID; }
    std::uint32_t ModuleGlblCntUsage(int index) const { return Module(index).GlblcntUsage; }
    std::uint32_t ModuleProcCntUsage(int index) const { return Module(index).ProccntUsage; }
    std::uint64_t ModuleBaseAddr(int index) const { return Module(index).modBaseAddr; }
    std::uint32_t ModuleBaseSize(int index) const { return Module(index).modBaseSize; }
    std::uint64_t ModuleHandle(int index) const { return Module(index).hModule; }
    std::string ModuleExePath(int index) const { return Module(index).szExePath; }
    platform::IconHandle ModuleIcon(int index) const;

    static const char* const kCreditText;

private:
    const TProcessInfo& Process(int index) const;
    const TModuleInfo& Module(int index) const;
    void AddProcess(const platform::ProcessEntry& entry);
    void AddModule(const platform::ModuleEntry& entry);

    platform::IProcessSystem& system_;
    std::string about_;
    // Declared module list first: it is made first.
    TStringList moduleList_;
    TStringList processList_;
};
