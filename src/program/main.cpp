// Velqorns' entry point: names the application, makes the main window and runs the
// message loop until the main window has closed.
#include <windows.h>

#include "program/Unit1.h"
#include "toolkit/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // 1. The hyperlink label registers its hand cursor here, before anything else.

    TApplication application;
    try {
        Application->Initialize();
        Application->SetTitle("Velqorns!");
        Application->CreateForm(Form1);
        Application->Run();
    } catch (...) {
        HandleException();  // a window that could not be built: say why
        return 1;
    }
    return 0;
}
