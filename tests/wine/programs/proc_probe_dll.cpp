// A DLL that the tests load into their own process, find in its module list and free.
#include <windows.h>

extern "C" __declspec(dllexport) int ProbeValue();

int ProbeValue() { return 42; }
