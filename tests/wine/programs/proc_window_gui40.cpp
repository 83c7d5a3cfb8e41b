// A windowed program marked for Windows 4.0, whose executable type the tests read; never run.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
