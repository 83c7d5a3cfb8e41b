// TApplication: the program's title, main form and message loop; it is also the event loop
// behind every TTimer, and the place where errors raised in handlers are shown.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Component.h"
#include "toolkit/Control.h"
#include "toolkit/Timer.h"

class TApplication : public TComponent, public IEventLoop {
public:
    TApplication();
    ~TApplication() override;

    // Common controls, the event loop for timers; call once before making forms.
    void Initialize();

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    // The form whose closing ends Run (borrowed).
    TWinControl* MainForm = nullptr;

    // Makes a form owned by the application into reference; the first one made this way
    // becomes the main form.
    template <class Form>
    Form* CreateForm(Form*& reference) {
        reference = Own(std::make_unique<Form>(this));
        if (!MainForm) MainForm = reference;
        return reference;
    }

    // Shows the main form, then handles messages until it has closed (WM_QUIT); returns
    // the exit code.
    int Run();
    void Terminate(int exitCode = 0) { ::PostQuitMessage(exitCode); }

    // Sees each message first; a filter that returns true has handled it (Ctrl+Tab, say).
    std::vector<std::function<bool(MSG&)>> MessageFilters;

    // IEventLoop
    void StartTimer(TTimer& timer, unsigned interval) override;
    void StopTimer(TTimer& timer) override;
    void ProcessMessages() override;

private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
    void HandleMessage(MSG& message);

    std::string title_;
    IEventLoop* previousLoop_ = nullptr;
    bool initialized_ = false;
    std::map<UINT_PTR, TTimer*> timers_;  // borrowed: a timer stops itself before it goes
};

// The application object of this program (borrowed; set while a TApplication exists).
extern TApplication* Application;
