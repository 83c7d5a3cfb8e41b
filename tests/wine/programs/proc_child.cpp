// A console process for the process-list tests: starts the number of extra threads given
// as its second argument, then sets the named event given as its first and waits to be ended.
#include <windows.h>

#include <cstdlib>

static DWORD WINAPI Idle(void*) {
    ::Sleep(INFINITE);
    return 0;
}

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    for (int i = std::atoi(argv[2]); i > 0; --i) {
        const HANDLE thread = ::CreateThread(nullptr, 0, Idle, nullptr, 0, nullptr);
        if (!thread) return 3;
        ::CloseHandle(thread);
    }
    const HANDLE ready = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
    if (!ready) return 4;
    ::SetEvent(ready);
    ::Sleep(INFINITE);
    return 0;
}
