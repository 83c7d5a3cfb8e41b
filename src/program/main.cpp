// Velqorns' entry point: registers the hand cursor, names the application, makes the main
// window and runs the message loop until the main window has closed.
#include <windows.h>

#include "components/aurllabl.h"
#include "program/Unit1.h"
#include "toolkit/Application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RegisterAutoURLLabelCursor(instance);  // before anything else; a link without it shows the arrow

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
