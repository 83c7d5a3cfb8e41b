// TControl and TGraphicControl: bounds, visibility, caption, font in effect, events, and the
// properties every control takes from a layout.
#include "toolkit/Control.h"

#include "shared/DisplayScale.h"
#include "toolkit/LayoutValues.h"
#include "toolkit/WinControl.h"


TControl::TControl(TComponent* owner) : TComponent(owner) {
    font_.OnChange = [this] {
        if (!parentFont_) FontChanged();
    };
}

TControl::~TControl() {
    if (parent_) parent_->RemoveControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    Invalidate();
    left_ = left, top_ = top, width_ = width, height_ = height;
    Invalidate();
    BoundsChanged();
}

void TControl::SetDesignBounds(int left, int top, int width, int height) {
    designed_ = true;
    design_ = {left, top, width, height};
    SetBounds(Scaled(left), Scaled(top), Scaled(width), Scaled(height));
}

int TControl::Scaled(int value) const { return Scale(value, dpi_); }

void TControl::ChangeScale(int dpi) {
    if (dpi == dpi_) return;
    dpi_ = dpi;
    font_.SetPixelsPerInch(dpi);  // a control with its own font hears of it through OnChange
    if (designed_) SetBounds(Scaled(design_.left), Scaled(design_.top), Scaled(design_.right), Scaled(design_.bottom));
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    Invalidate();
    if (parent_) parent_->RemoveControl(this);
    parent_ = parent;
    if (parent_) parent_->InsertControl(this);
    if (parent_ && parent_->Dpi() != dpi_) ChangeScale(parent_->Dpi());
    if (parentFont_) FontChanged();
    Invalidate();
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    Invalidate();
    visible_ = visible;
    VisibleChanged();
    Invalidate();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    EnabledChanged();
}

void TControl::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    TextChanged();
}

const TFont& TControl::Font() const {
    if (parentFont_ && parent_) return static_cast<const TControl*>(parent_)->Font();
    return font_;
}

TFont& TControl::Font() {
    if (parentFont_) {
        const TFont& inEffect = static_cast<const TControl*>(this)->Font();
        if (&inEffect != &font_) font_.Assign(inEffect);
        parentFont_ = false;
        FontChanged();
    }
    return font_;
}

void TControl::SetParentFont(bool parentFont) {
    if (parentFont == parentFont_) return;
    parentFont_ = parentFont;
    FontChanged();
}

void TControl::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    ColorChanged();
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) return;
    align_ = align;
    if (parent_) parent_->AlignControls();
}

void TControl::Invalidate() {}
void TControl::Repaint() {}
void TControl::BringToFront() {}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

bool TControl::SetProperty(const std::string& name, const std::string& value) {
    if (name == "Caption") SetCaption(value);
    else if (name == "Color") SetColor(ColorFromText(value));
    else if (name == "Visible") SetVisible(BoolFromText(value));
    else if (name == "Enabled") SetEnabled(BoolFromText(value));
    else if (name == "ParentFont") SetParentFont(BoolFromText(value));
    else if (name == "Cursor") SetCursor(IntFromText(value));
    else if (name == "Align") SetAlign(EnumFromText<TAlign>(name, value, {{"alNone", alNone}, {"alClient", alClient}}));
    else if (name == "Font.Name") Font().SetName(value);
    else if (name == "Font.Height") Font().SetHeight(IntFromText(value));
    else if (name == "Font.Color") Font().SetColor(ColorFromText(value));
    else if (name == "Font.Style")
        Font().SetStyle(SetFromText<std::uint8_t>(
            name, value, {{"bold", fsBold}, {"italic", fsItalic}, {"underline", fsUnderline}, {"strikeout", fsStrikeOut}}));
    else return false;
    return true;
}


void TGraphicControl::Invalidate() {
    TWinControl* parent = Parent();
    if (!parent || !parent->HandleAllocated()) return;
    const RECT bounds = BoundsRect();
    ::InvalidateRect(parent->Handle(), &bounds, TRUE);
}

void TGraphicControl::Repaint() {
    Invalidate();
    if (Parent() && Parent()->HandleAllocated()) ::UpdateWindow(Parent()->Handle());
}

void TGraphicControl::BringToFront() {
    TWinControl* parent = Parent();
    if (!parent) return;
    parent->RemoveControl(this);
    parent->InsertControl(this);
    Invalidate();
}
