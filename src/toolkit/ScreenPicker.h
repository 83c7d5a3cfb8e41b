// TScreenPicker: a target the user drags onto any point of the screen. Pressing the left
// button on it starts a drag: the mouse is captured, the pointer is a crosshair and the target
// shows empty; each move and the release report the pointer's point on the screen. Escape, the
// right button or the loss of the capture cancel the drag.
#pragma once

#include <windows.h>

#include <functional>

#include "toolkit/WinControl.h"

class TScreenPicker : public TWinControl {
public:
    explicit TScreenPicker(TComponent* owner) : TWinControl(owner) {}
    ~TScreenPicker() override;

    bool Dragging() const { return dragging_; }
    // Ends a drag as Escape does.
    void Cancel();

    // Screen points: each move of the pointer during a drag, and where the drag ended.
    std::function<void(TObject* sender, POINT point)> OnTrack;
    std::function<void(TObject* sender, POINT point)> OnDrop;
    TNotifyEvent OnCancel;

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // The 32 x 32 target, scaled to the dpi (a crosshair in a sunken box, empty while dragging), its caption right of it.
    void PaintWindow(HDC dc) override;

private:
    void StartDrag();
    // Leaves the drag state; false when there was none.
    bool EndDrag();
    POINT ScreenPoint(LPARAM lParam);

    bool dragging_ = false;
    int escapeFilter_ = 0;  // the application's message filter that sees Escape during a drag
};
