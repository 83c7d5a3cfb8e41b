// TListBox: the system list box, single selection, fixed line height, whole lines only.
// It keeps its own copy of the texts, so it can be filled before its window exists.
#pragma once

#include <string>
#include <vector>

#include "toolkit/WinControl.h"
#include "toolkit/StringList.h"

class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* owner);

    void Clear();
    void Add(const std::string& text);
    // Replaces every line by the texts of items, in their order, without a redraw per line.
    void SetItems(const TStringList& items);
    void SetItems(const std::vector<std::string>& items);

    int Count() const { return static_cast<int>(items_.size()); }
    // Throws EStringListError ("List index out of bounds (%d)") outside 0 .. Count - 1.
    const std::string& Strings(int index) const;

    // The selected line, or -1 when there is none.
    int ItemIndex() const;
    // Selects a line; -1, or any index without a line, leaves the list without selection.
    void SetItemIndex(int index);

    int ItemHeight() const { return itemHeight_; }  // as designed, at 96 dpi
    void SetItemHeight(int height);
    bool IntegralHeight() const { return integralHeight_; }
    void SetIntegralHeight(bool integralHeight);

    bool SetProperty(const std::string& name, const std::string& value) override;  // + "ItemHeight", "IntegralHeight"
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void FontChanged() override;
    void BoundsChanged() override;
    POINT ContextMenuPoint() override;

private:
    void FillWindow();
    void ApplyItemHeight();

    std::vector<std::string> items_;
    int itemIndex_ = -1;  // the selection while there is no window
    int itemHeight_ = 13;
    bool integralHeight_ = true;
};
