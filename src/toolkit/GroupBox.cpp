// TGroupBox: a window of the toolkit's own class; Tab and the arrow keys walk into it
// (WS_EX_CONTROLPARENT) while it is enabled, and the system stops the mouse at it while
// it is disabled.
#include "toolkit/GroupBox.h"

#include "shared/Utf16.h"

void TGroupBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

// The caption is drawn by the box itself, so a new text or state needs a repaint.
void TGroupBox::EnabledChanged() {
    TWinControl::EnabledChanged();
    Invalidate();
}

void TGroupBox::TextChanged() {
    TWinControl::TextChanged();
    Invalidate();
}

void TGroupBox::PaintWindow(HDC dc) {
    TWinControl::PaintWindow(dc);
    TCanvas canvas(dc);
    ScopedSelect font(dc, Font().Handle());
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    RECT client;
    ::GetClientRect(Handle(), &client);
    RECT frame{0, metrics.tmHeight / 2, client.right, client.bottom};
    ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (Caption().empty()) return;

    const UINT format = DT_SINGLELINE | DT_LEFT | DT_TOP;
    const std::wstring caption = Utf16FromUtf8(Caption());
    RECT text{Scaled(8), 0, client.right - Scaled(8), metrics.tmHeight};
    ::DrawTextW(dc, caption.c_str(), -1, &text, format | DT_CALCRECT);
    canvas.FillRect(text, Color());
    ::SetBkMode(dc, TRANSPARENT);
    if (Enabled()) {
        ::SetTextColor(dc, ColorToRGB(Font().Color()));
        ::DrawTextW(dc, caption.c_str(), -1, &text, format);
    } else {
        canvas.DisabledText(caption, text, format, Scaled(1));
    }
}
