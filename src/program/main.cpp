// Velqorns' entry point: registers the hand cursor, names the application, makes the main
// window on the Win32 platform and runs the message loop until the main window has closed.
#include <windows.h>

#include "components/aurllabl.h"
#include "platform/Win32Platform.h"
#include "program/Unit1.h"
#include "toolkit/Application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RegisterAutoURLLabelCursor(instance);  // before anything else; a link without it shows the arrow

    TApplication application;
    try {
        Application->Initialize();
        Application->SetTitle("Velqorns!");
        platform::Win32Platform& system = platform::Win32Platform::Instance();
        Application->CreateForm(Form1, system, system, system);
        Application->Run();
    } catch (...) {
        HandleException();  // a window that could not be built: say why
        return 1;
    }
    return 0;
}
