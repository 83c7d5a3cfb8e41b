// The process list page, driven as a user drives it: clicks and key releases on its
// lists, its menu items and answers to its dialogs; against made-up snapshots for exact
// lines, and against this program, a child it starts and a library it loads. And the
// platform's corrections of what the system reports, read by the process list.
#include "pages/FFindPro.h"

#include <algorithm>
#include <fstream>
#include <tuple>
#include <utility>

#include "platform/Win32Platform.h"
#include "shared/NumberFormat.h"
#include "shared/ShortenPath.h"
#include "support/ChildProcess.h"
#include "support/DialogAnswerer.h"
#include "support/FakeProcessSystem.h"
#include "support/RealDesktop.h"
#include "support/TestWindows.h"

namespace {

const std::string kAlphaPath = "C:\\Program Files\\A Long Vendor Name\\A Longer Product Name\\Bin\\Alpha.exe";
const std::string kKernPath = "C:\\WINDOWS\\SYSTEM32\\KERN.DLL";
const HICON kShownIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
const std::string kNo = "&No", kYes = "&Yes";

// Three processes, snapshot out of order; Alpha.exe has two modules, beta.exe none; no
// process can be opened.
class FakeProcesses : public FakeProcessSystem {
public:
    FakeProcesses() {
        platform::ProcessEntry alpha = Process(0x1234, kAlphaPath, 8);
        std::tie(alpha.th32DefaultHeapID, alpha.th32ModuleID, alpha.cntThreads, alpha.th32ParentProcessID, alpha.dwFlags) =
            std::tuple(0x123456789ABCull, 0x4Du, 3u, 0x80000001u, 0x80000000u);
        processes = {Process(0x2A, "C:\\WINDOWS\\zeta.exe"), alpha, Process(0x77, "C:\\WINDOWS\\beta.exe", 13)};
        exeTypes[kAlphaPath] = 0x04004550;
        icons[kAlphaPath] = 0x12345;
        icons[kKernPath] = platform::FromHicon(kShownIcon);
        platform::ModuleEntry exe = Module(0x1234, "Alpha.exe", kAlphaPath), kern = Module(0x1234, "kern.dll", kKernPath);
        exe.hModule = exe.modBaseAddr = 0x400000;
        std::tie(kern.th32ModuleID, kern.GlblcntUsage, kern.ProccntUsage, kern.hModule, kern.modBaseAddr, kern.modBaseSize) =
            std::tuple(1u, 0xFFFFu, 2u, 0x7FF812340000ull, 0x7FF812340000ull, 4096u);
        modules[0x1234] = {kern, exe};
    }
    int Snapshots(std::uint32_t flags) const {
        return static_cast<int>(std::count_if(snapshotsTaken.begin(), snapshotsTaken.end(),
                                              [flags](const auto& taken) { return taken.first == flags; }));
    }
};

// The real platform, where identifiers can be made to name another process by now.
class ReusedIds : public platform::Win32Platform {
public:
    bool reused = false;
    std::uint64_t ProcessCreationTime(std::uintptr_t process) override {
        return Win32Platform::ProcessCreationTime(process) + (reused ? 1 : 0);
    }
};

// Everything the page shows, as one text, to tell whether anything changed.
std::string Shown(const TFormQorns& page) {
    std::string shown;
    for (const TControl* control : page.Controls())
        if (const auto* label = dynamic_cast<const TLabel*>(control)) shown += label->Caption() + "|";
    for (const TListBox* list : {page.ListBox1, page.ListBox2}) shown += Copied(LinesOf(*list)) + std::to_string(list->ItemIndex());
    return shown + Hex(platform::FromHicon(page.Image1->Icon()), 4) + Hex(platform::FromHicon(page.Image2->Icon()), 4);
}

class ProcessPage : public ::testing::Test {
protected:
    void SetUp() override { application.Initialize(); }

    // Shows the page as a window of its own.
    TFormQorns& Open(platform::IProcessSystem& system = platform::Win32Platform::Instance()) {
        page = application.Own(std::make_unique<TFormQorns>(&application, system));
        page->Show(), ::SetForegroundWindow(page->Handle()), Settle(application);
        return *page;
    }
    void ClickLine(TListBox& list, int line) { ::ClickLine(application, list, line); }
    void PressKey(TListBox& list, WORD key) {
        list.SetFocus(), PostKey(list.Handle(), key), Settle(application);
    }
    // Chooses a menu item with answers for the confirmation and the error it may open;
    // whether each was answered (none: neither dialog came).
    std::pair<bool, bool> Choose(TMenuItem* item, const std::string& confirmButton) {
        confirm = std::make_unique<DialogAnswerer>("Confirm", confirmButton);
        DialogAnswerer error("Error", "OK");
        item->OnClick(item);
        Settle(application);
        const bool confirmed = confirm->Found() ? confirm->Finish() : confirm->Stop();
        EXPECT_TRUE(confirmed || !confirm->Found()) << confirm->Failure();
        const bool errorShown = confirmed && error.Found() ? error.Finish() : error.Stop();
        errorText = error.Text();
        return {confirmed, errorShown};
    }
    std::string Fitted(const std::string& path) const {
        return ShortenPath(path, [this](const std::string& text) { return TextWidthOnScreen(std::as_const(*page->Label13).Font(), text); }, 217);
    }

    TApplication application;
    TFormQorns* page = nullptr;
    std::unique_ptr<DialogAnswerer> confirm;
    std::string errorText;
};

TEST_F(ProcessPage, DetailLinesReadAsTheRecordsOfTheSelectedProcessAndModuleAndNoOrAFailedOpenChangeNothing) {
    FakeProcesses system;
    TFormQorns& page = Open(system);
    EXPECT_EQ(std::tuple(page.Caption(), LinesOf(*page.ListBox1), page.ListBox1->ItemIndex()),
              std::tuple(TProcList::kCreditText, Lines{"Alpha.exe", "beta.exe", "zeta.exe"}, 0));
    EXPECT_EQ(Captions({page.Label3, page.Label5, page.Label6, page.Label7, page.Label8, page.Label9, page.Label10,
                        page.Label11, page.Label12, page.Label18}),
              (Lines{"3 running processes found", "CntUsage: 0", "ProcessID: 00001234", "DefHeapID: 123456789ABC",
                     "ModuleID: 0000004D", "CntThreads: 3", "ParentID: 80000001", "Priority: 8 [Normal  ] 32-Bit",
                     "dwFlags: -2147483648", "HIcon: 12345"}));
    EXPECT_EQ(std::tuple(page.Label13->Caption(), page.Image1->Icon(), LinesOf(*page.ListBox2)),  // the path too wide: shortened
              std::tuple(Fitted(kAlphaPath), platform::ToHicon(0x12345), Lines{"Alpha.exe", "kern.dll"}));
    EXPECT_EQ(Captions({page.Label4, page.Label14, page.Label20}),
              (Lines{"2 module(s) found", "ModuleID: 00000000", "hModule: 00400000"}));
    // Ctrl+C in either list: the entry and its lines as shown, the path whole though shown shortened.
    PressWithCtrl(application, page.ListBox2->Handle(), 'C');
    EXPECT_EQ(ClipboardText(),
              "Alpha.exe\r\n" + Copied(Captions({page.Label14, page.Label15, page.Label22, page.Label16, page.Label17,
                                                  page.Label19, page.Label20, page.Label23})) + kAlphaPath + "\r\n");
    PressWithCtrl(application, page.ListBox1->Handle(), 'C');
    EXPECT_EQ(ClipboardText(),
              "Alpha.exe\r\n" + Copied(Captions({page.Label5, page.Label6, page.Label18, page.Label7, page.Label8, page.Label9,
                                                  page.Label10, page.Label11, page.Label12})) + kAlphaPath + "\r\n");

    PressKey(*page.ListBox2, VK_DOWN);
    EXPECT_EQ(Captions({page.Label14, page.Label15, page.Label16, page.Label17, page.Label19, page.Label20,
                        page.Label23, page.Label21, page.Label22}),
              (Lines{"ModuleID: 00000001", "ProcessID: 00001234", "GlblCntUse: 65535", "ProcCntUse: 2",
                     "modBaseSize: 4096", "hModule: 7FF812340000", "mBaseAdress: 7FF812340000",
                     kKernPath /* fits: whole */, "HIcon: " + Hex(platform::FromHicon(kShownIcon), 4)}));
    // The process column stays; the path line's width is fixed, where the other lines fit their text.
    EXPECT_EQ(std::tuple(page.Image2->Icon(), page.Label6->Caption(), page.Label13->Width()),
              std::tuple(kShownIcon, "ProcessID: 00001234", 217));

    // A process without modules: its own priority line, the module lines of the last one cleared.
    ClickLine(*page.ListBox1, 1);
    EXPECT_EQ(Captions({page.Label4, page.Label14, page.Label15, page.Label16, page.Label17, page.Label19,
                        page.Label20, page.Label23, page.Label21, page.Label22}),
              (Lines{"0 module(s) found", "click an item for module information", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(std::pair(page.Label11->Caption(), page.Image2->Icon()), std::pair(std::string("Priority: 13 [High    ] "), HICON{}));
    // Terminate answered "No" changes nothing; a process that cannot be opened is reported.
    const std::string before = Shown(page);
    EXPECT_EQ(Choose(page.CancelProcess1, kNo), std::make_pair(true, false));
    EXPECT_EQ(confirm->Text(),
              "Process: --> beta.exe\n\r\n\rTerminateProcess can make your system unstable or crash it.\n\r"
              "You want to terminate selected process?");
    EXPECT_TRUE(Shown(page) == before && system.Snapshots(platform::kSnapProcess) == 1);
    EXPECT_EQ(Choose(page.CancelProcess1, kYes), std::make_pair(true, true));
    EXPECT_EQ(std::tuple(errorText, system.Snapshots(platform::kSnapProcess), page.Label6->Caption()),  // refreshed: line 0 again
              std::tuple("Couldn't find the handle for the selected procress!", 2, "ProcessID: 00001234"));
}

// kernel32.dll of the child sits where ours does, under the same handle: freeing it would
// release this program's own copy. The child's executable is not loaded here at all. A
// library that this program loaded is freed.
TEST_F(ProcessPage, OnlyOurOwnModulesAreFreedAndYesEndsTheChildButNotALaterProcessOfItsId) {
    ChildProcess child;
    ASSERT_TRUE(child.Started());
    ReusedIds system;
    TFormQorns& page = Open(system);
    const std::string path = BesideThisProgram("proc_probe_dll.dll");
    ClickLine(*page.ListBox1, LineOf(*page.ListBox1, "process_page_test.exe"));
    ASSERT_NE(::LoadLibraryA(path.c_str()), nullptr);
    PressKey(*page.ListBox1, VK_SHIFT);  // the release reads the modules anew
    const int dll = LineOf(*page.ListBox2, "proc_probe_dll.dll");
    ASSERT_GE(dll, 0);
    ClickLine(*page.ListBox2, dll);
    EXPECT_EQ(Choose(page.DeleteModule1, kYes), std::make_pair(true, false));
    EXPECT_EQ(confirm->Text(),
              "Module: --> proc_probe_dll.dll\n\r\n\r\"FreeLibrary\" can crash your system or make it very unstable."
              "\n\rYou want to free the module?");
    EXPECT_TRUE(!::GetModuleHandleA(path.c_str()) && page.ListBox1->ItemIndex() == 0);  // refreshed

    const int line = LineOf(*page.ListBox1, "proc_child.exe");
    ASSERT_GT(line, 0);
    ClickLine(*page.ListBox1, line);
    EXPECT_EQ(Captions({page.Label6, page.Label9, page.Label10}),
              (Lines{"ProcessID: " + Hex(child.Id(), 8), "CntThreads: 1",
                     "ParentID: " + Hex(::GetCurrentProcessId(), 8)}));
    EXPECT_EQ(::lstrcmpiA(page.Label13->Caption().c_str(), Fitted(ChildProcess::Path()).c_str()), 0);
    ASSERT_GE(LineOf(*page.ListBox2, "kernel32.dll"), 0);
    for (const char* module : {"proc_child.exe", "kernel32.dll"}) {
        ClickLine(*page.ListBox2, LineOf(*page.ListBox2, module));
        const std::string before = Shown(page);
        EXPECT_EQ(Choose(page.DeleteModule1, kYes), std::make_pair(true, true)) << module;
        EXPECT_TRUE(errorText == "Couldn't free selected module!" && Shown(page) == before) << module;
    }
    EXPECT_EQ(page.Label15->Caption(), "ProcessID: " + Hex(child.Id(), 8));

    // The child's identifier now names a process that started later: it is not the one listed.
    system.reused = true;
    EXPECT_EQ(Choose(page.CancelProcess1, kYes), std::make_pair(true, true));
    EXPECT_TRUE(errorText == "Couldn't find the handle for the selected procress!" && !child.Ended());
    system.reused = false;

    ClickLine(*page.ListBox1, LineOf(*page.ListBox1, "proc_child.exe"));
    EXPECT_EQ(Choose(page.CancelProcess1, kYes), std::make_pair(true, false));
    EXPECT_EQ(std::tuple(confirm->Text().substr(0, 30), child.Ended(), page.ListBox1->ItemIndex(),
                         LineOf(*page.ListBox1, "proc_child.exe")),
              std::tuple("Process: --> proc_child.exe\n\r\n", true, 0, -1));
}

// Dozens of processes of one name, in other letter cases too: each has its own line, read
// from its own record, and ending one ends that one only, gone from the list at once.
TEST_F(ProcessPage, EveryProcessOfABusyDesktopHasItsOwnLineAndTerminateEndsThatOneOnly) {
    RealDesktop desktop;
    ASSERT_TRUE(desktop.Started());
    TFormQorns& page = Open();
    const TProcList& list = *page.ProcList1;
    auto listedIds = [&](const std::string& name) {
        std::vector<DWORD> ids;
        for (int k = 0; k < list.ProcessList().Count(); ++k)
            if (::lstrcmpiA(list.ProcessList().Strings(k).c_str(), name.c_str()) == 0) ids.push_back(list.ProcessID(k));
        return ids;
    };
    std::vector<DWORD> started = desktop.IdsOf(RealDesktop::kManyName);
    ASSERT_EQ(started.size(), RealDesktop::kManyCount + 4u);
    EXPECT_EQ(listedIds(RealDesktop::kManyName), started);  // equal names in identifier order

    // Two lines of one name: each shows its own process and that process's modules.
    const int first = LineOf(*page.ListBox1, RealDesktop::kManyName);
    for (int k : {0, 1}) {
        k ? PressKey(*page.ListBox1, VK_DOWN) : ClickLine(*page.ListBox1, first);
        ASSERT_EQ(page.ListBox1->ItemIndex(), first + k);
        EXPECT_EQ(Captions({page.Label6, page.Label15}), Lines(2, "ProcessID: " + Hex(started[static_cast<size_t>(k)], 8)));
    }
    EXPECT_EQ(Choose(page.CancelProcess1, kYes), std::make_pair(true, false));
    started.erase(started.begin() + 1);
    EXPECT_EQ(std::pair(listedIds(RealDesktop::kManyName), desktop.IdsOf(RealDesktop::kManyName)), std::pair(started, started));

    // A process that ends while the page shows it: no modules; ending it ends nothing more.
    const DWORD worker = listedIds("worker7.exe").front();
    const int workerLine = LineOf(*page.ListBox1, "worker7.exe");
    desktop.End(worker);
    ClickLine(*page.ListBox1, workerLine);
    EXPECT_EQ(page.Label4->Caption(), "0 module(s) found");
    EXPECT_TRUE(Choose(page.CancelProcess1, kYes).first && listedIds("worker7.exe").size() == 3u);

    // A path with "&" and a non-ASCII letter is shown as it is.
    ClickLine(*page.ListBox1, LineOf(*page.ListBox1, "np&x.exe"));
    EXPECT_EQ(page.Label13->Caption(), Fitted(desktop.OddProgram()));
    for (const TControl* control : page.Controls()) {
        const auto* label = dynamic_cast<const TLabel*>(control);
        EXPECT_FALSE(label && label->ShowAccelChar()) << control->Name;
    }
}

// A program named in Cyrillic and CJK shows as at a plain path: listed, shown and copied exactly,
// with the same executable type and an icon. CTest runs this again under code page 1251.
TEST_F(ProcessPage, AProgramNamedInAnyScriptShowsAsAtAPlainPath) {
    const UnicodeProgram program;
    TFormQorns& page = Open();
    const int line = LineOf(*page.ListBox1, "прог.exe");
    ASSERT_EQ(line < 0 ? "" : ShownLine(*page.ListBox1, line), "прог.exe");
    ClickLine(*page.ListBox1, line);
    EXPECT_EQ(page.Label13->Caption(), Fitted(program.path));
    const std::string plain = BesideThisProgram("titled_window.exe");
    const std::uint32_t plainType = platform::Win32Platform::Instance().ExeType(plain.c_str());
    EXPECT_EQ(std::pair(page.ProcList1->ProcessExeType(line), plainType != 0), std::pair(ExeTypeToText(plainType), true));
    EXPECT_TRUE(page.ProcList1->ProcessIcon(line) != 0 && platform::Win32Platform::Instance().FileIcon(plain.c_str()) != 0);
    PressWithCtrl(application, page.ListBox1->Handle(), 'C');
    EXPECT_TRUE(ClipboardText().starts_with("прог.exe\r\n") && ClipboardText().ends_with(program.path + "\r\n"));
    ClickLine(*page.ListBox2, LineOf(*page.ListBox2, "прог.exe"));
    EXPECT_EQ(page.Label21->Caption(), Fitted(program.path));
}

// The platform's corrections of what the system reports, on the real system: this program's
// base priority in each class it can take, and the executable types of files the test provides.
TEST(ProcListOnWindows, ProcessesHaveTheirBasePriorityAndExecutableTypeAsWindowsGivesThem) {
    platform::Win32Platform& system = platform::Win32Platform::Instance();
    TProcList procList{nullptr, system};
    for (auto [priorityClass, base, text] : {std::tuple{IDLE_PRIORITY_CLASS, 4, "[Idle    ]"},
             std::tuple{BELOW_NORMAL_PRIORITY_CLASS, 6, "[Unknown]"}, std::tuple{ABOVE_NORMAL_PRIORITY_CLASS, 10, "[Unknown]"},
             std::tuple{HIGH_PRIORITY_CLASS, 13, "[High    ]"}, std::tuple{NORMAL_PRIORITY_CLASS, 8, "[Normal  ]"}}) {
        ASSERT_TRUE(::SetPriorityClass(::GetCurrentProcess(), priorityClass));
        procList.ReadProcessList();
        int i = procList.ProcessList().Count() - 1;
        while (i >= 0 && procList.ProcessID(i) != ::GetCurrentProcessId()) --i;
        ASSERT_GE(i, 0);
        EXPECT_EQ(std::tuple(procList.ProcessPriClassBase(i), procList.ProcessPriorityText(i), procList.ProcessIdentity(i).creationTime > 0),
                  std::tuple(base, text, true));
    }
    const std::string dos = BesideThisProgram(std::to_string(::GetCurrentProcessId()) + "_dos.exe");
    const std::string text = BesideThisProgram(std::to_string(::GetCurrentProcessId()) + "_notes.txt");
    std::ofstream(dos, std::ios::binary) << "MZ" << std::string(62, '\0') << std::string(64, '\x90');
    std::ofstream(text, std::ios::binary) << "not a program\r\n";
    EXPECT_EQ(ExeTypeToText(system.ExeType(ChildProcess::Path().c_str())), "hi:0");  // console
    EXPECT_EQ(ExeTypeToText(system.ExeType(BesideThisProgram("proc_window_gui40.exe").c_str())), "32-Bit");
    EXPECT_EQ(system.ExeType(dos.c_str()), 0x5A4Du);  // the letters in memory order, as Windows gives them
    EXPECT_EQ(ExeTypeToText(system.ExeType(text.c_str())), "");
    EXPECT_EQ(ExeTypeToText(system.ExeType(BesideThisProgram("no such file.exe").c_str())), "");
    for (const std::string& file : {dos, text}) ::DeleteFileA(file.c_str());
    const std::string upper = "C:\\ÉTÉ\\Я.EXE", lower = "c:\\été\\я.exe";  // names as the file system compares them
    EXPECT_EQ(system.CompareOrdinalIgnoreCase(upper.data(), int(upper.size()), lower.data(), int(lower.size())), 0);
}

}  // namespace
