// TApplication: the program's title, main form and message loop; it is also the event loop
// behind every TTimer. Beside it, the handler that shows errors raised in event handlers.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <string>

#include "toolkit/Component.h"
#include "toolkit/WinControl.h"
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

    // Makes a form owned by the application into reference, with these arguments after the
    // owner; the first one made this way becomes the main form.
    template <class Form, class... Arguments>
    Form* CreateForm(Form*& reference, Arguments&&... arguments) {
        reference = Own(std::make_unique<Form>(this, std::forward<Arguments>(arguments)...));
        if (!MainForm) MainForm = reference;
        return reference;
    }

    // Shows the main form, then handles messages until it has closed (WM_QUIT); returns
    // the exit code.
    int Run();
    void Terminate(int exitCode = 0) { ::PostQuitMessage(exitCode); }

    // A filter sees each message first; one that returns true has handled it (Ctrl+Tab, say).
    // AddMessageFilter returns the number by which RemoveMessageFilter takes it away again.
    using TMessageFilter = std::function<bool(MSG&)>;
    int AddMessageFilter(TMessageFilter filter);
    void RemoveMessageFilter(int id);

    // IEventLoop
    bool StartTimer(TTimer& timer, unsigned interval) override;
    void StopTimer(TTimer& timer) override;
    void ProcessMessages() override;

private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
    void HandleMessage(MSG& message);

    std::string title_;
    IEventLoop* previousLoop_ = nullptr;
    bool initialized_ = false;
    std::map<UINT_PTR, TTimer*> timers_;  // borrowed: a timer stops itself before it goes
    std::map<int, TMessageFilter> messageFilters_;  // by number: in the order added
};

// The application object of this program (borrowed; set while a TApplication exists).
extern TApplication* Application;

// The handler for an error raised inside an event handler: shows its text in a message box
// (replaceable, for tests). The program goes on.
using TExceptionHandler = std::function<void(const std::string& message)>;
TExceptionHandler& ExceptionHandler();
void HandleException();  // call inside a catch block
