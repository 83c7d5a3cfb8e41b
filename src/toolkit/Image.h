// TImage: a windowless box that shows an icon it borrows (the caller keeps the handle
// alive and destroys it). The picture can be centred, and the box can size itself to it.
// Icons come from the system at its size for the system's dpi; a box at another dpi shows
// them scaled to it.
#pragma once

#include <string>

#include "toolkit/Control.h"

class TImage : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

    HICON Icon() const { return icon_; }
    // Shows icon (borrowed); with AutoSize on, the box takes the icon's size.
    void SetIcon(HICON icon);
    void Clear() { SetIcon(nullptr); }

    bool Center() const { return center_; }
    void SetCenter(bool center);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);

    // The size the icon is drawn at: its own, scaled from the system's dpi to the box's.
    SIZE PictureSize() const;

    void Paint(HDC dc) override;
    void ChangeScale(int dpi) override;
    bool SetProperty(const std::string& name, const std::string& value) override;  // + "Center", "AutoSize"

private:
    void FitToPicture();

    HICON icon_ = nullptr;
    bool center_ = false;
    bool autoSize_ = false;
};

// Width and height of an icon's image, or 0, 0 for none.
SIZE IconSize(HICON icon);
