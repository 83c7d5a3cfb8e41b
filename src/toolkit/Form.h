// TForm: a window of its own (framed, dialog or borderless) or, given a parent, a child
// window embedded in a panel; creation, first-show and close-query events; controls by name.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "toolkit/WinControl.h"

using TBorderIcons = std::uint8_t;
constexpr TBorderIcons biSystemMenu = 1, biMinimize = 2, biMaximize = 4;

// poDefaultPosOnly: the system places the window; the designed size stays.
enum TPosition { poDesigned, poDefaultPosOnly };

using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }

    // The size of the client area; setting it sizes the frame around it.
    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientSize(int width, int height);
    // The client size as designed at 96 dpi, scaled to the form's dpi now and after a change.
    void SetDesignClientSize(int width, int height);

    // A form of its own also takes the size of its client area scaled.
    void ChangeScale(int dpi) override;

    void SetParent(TWinControl* parent) override;

    // Makes the form visible and puts it on top of its siblings.
    void Show();
    // Asks OnCloseQuery; if it agrees, hides the form, and for the main form ends the program.
    void Close();
    bool IsMainForm() const;

    // The control of this form called name, of kind T; throws std::invalid_argument otherwise.
    template <class T>
    T* Control(const std::string& name) const {
        if (auto* control = dynamic_cast<T*>(FindComponent(name))) return control;
        throw std::invalid_argument("The form has no control \"" + name + "\" of that kind");
    }

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;  // once, when the form first becomes visible on screen
    TCloseQueryEvent OnCloseQuery;

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // + "BorderStyle", "BorderIcons", "Position", "ClientWidth", "ClientHeight"
    bool SetProperty(const std::string& name, const std::string& value) override;

protected:
    // Ends the form's construction: a derived form calls it once its controls are built.
    void DoCreate();

    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void VisibleChanged() override;
    void WindowShown() override;

private:
    void WindowStyles(DWORD& style, DWORD& exStyle) const;
    SIZE FrameSize() const;
    void Restyle();
    bool SetFocusOnActivation();
    void CheckFirstShow();
    void SetIcons();
    SIZE ScaledClient() const;
    LRESULT DpiChanged(int dpi, const RECT& suggested);

    TBorderStyle borderStyle_ = bsSingle;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TPosition position_ = poDesigned;
    bool shown_ = false;
    SIZE designClient_{0, 0};  // 0: not designed, the frame's size stands
    IconOwner bigIcon_, smallIcon_;  // the program's icon at the sizes of the form's dpi
    HWND lastFocus_ = nullptr;  // borrowed: the focused control when the form was deactivated
};
