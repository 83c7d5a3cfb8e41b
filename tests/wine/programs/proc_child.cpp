// A console process for the process-list tests: sets the named event given as its argument,
// then waits to be ended.
#include <windows.h>

int main(int argc, char** argv) {
    const HANDLE ready = argc < 2 ? nullptr : ::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
    if (!ready) return 2;
    ::SetEvent(ready);
    ::Sleep(INFINITE);
}
