// MenuAnswerer: the menu is the visible "#32768" window of this process.
#include "support/MenuAnswerer.h"

#include <windows.h>

#include "support/TestWindows.h"

namespace {

constexpr int kPolls = 2000, kPollMilliseconds = 5;  // ten seconds at most for each wait

HWND OwnMenu() {
    for (HWND menu = nullptr; (menu = ::FindWindowExA(nullptr, menu, "#32768", nullptr));) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(menu, &process);
        if (process == ::GetCurrentProcessId() && ::IsWindowVisible(menu)) return menu;
    }
    return nullptr;
}

}  // namespace

MenuAnswerer::MenuAnswerer(std::function<bool()> ready)
    : ready_(std::move(ready)), thread_([this] {
          HWND menu = nullptr;
          for (int i = 0; i < kPolls && !(menu = OwnMenu()); ++i) ::Sleep(kPollMilliseconds);
          if (!menu) return;
          for (int i = 0; i < kPolls && ready_ && !ready_(); ++i) ::Sleep(kPollMilliseconds);
          PostKey(menu, VK_DOWN);
          PostKey(menu, VK_RETURN);
          answered_ = true;
      }) {}

bool MenuAnswerer::Finish() {
    if (thread_.joinable()) thread_.join();
    return answered_;
}
