// TAutoURLLabel: a blue, underlined label that hands its URL to the shell's "open" when a
// mouse button is pressed on it, and shows a pointing hand over it.
#pragma once

#include <windows.h>

#include <string>

#include "platform/Platform.h"
#include "toolkit/Label.h"

// The hand cursor's place in the table of screen cursors.
constexpr int crAutoURLLabel = -1101;

// Loads the cursor resource "AUTOURLLABELCURSOR" of instance and registers it under
// crAutoURLLabel; without the resource nothing is registered (the arrow shows). Returns
// whether it was registered. The program calls it once, before its application starts.
bool RegisterAutoURLLabelCursor(HINSTANCE instance);

// Makes "urllabel" a kind that layouts can build. Every unit that includes this header runs
// it at start-up (and so links this file in).
bool RegisterAutoURLLabelKind();
inline const bool autoURLLabelKindRegistered = RegisterAutoURLLabelKind();

class TAutoURLLabel : public TLabel {
public:
    explicit TAutoURLLabel(TComponent* owner);  // blue, underlined, 100 wide

    // Follows the caption while it is empty or equal to the caption before the change.
    const std::string& URL() const { return url_; }
    void SetURL(const std::string& url);  // repaints always

    // The shell that opens the URL (borrowed; it must outlive the label). A label without
    // one opens nothing: the program gives its links the system's shell.
    void SetShell(platform::IShell& shell) { shell_ = &shell; }

    // Any press of any button on a captioned label opens the URL, after OnMouseDown.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    // After OnMouseMove, a captioned label takes the hand cursor for good.
    void MouseMove(TShiftState shift, int x, int y) override;

    bool SetProperty(const std::string& name, const std::string& value) override;  // + "URL"

protected:
    // Moves the URL along with the caption and repaints; unlike a plain label, the label is
    // not measured again.
    void TextChanged() override;

private:
    std::string lastCaption_;
    std::string url_;
    platform::IShell* shell_ = nullptr;
};
