// The readers of colours, truth values and numbers; the error for an unknown value.
#include "toolkit/LayoutValues.h"

TColor ColorFromText(const std::string& text) {
    static const TValueNames<TColor> named = {
        {"clBlack", clBlack}, {"clNavy", clNavy}, {"clGray", clGray}, {"clBlue", clBlue}, {"clWhite", clWhite},
        {"clWindowText", clWindowText}, {"clBtnFace", clBtnFace}, {"clBtnShadow", clBtnShadow},
        {"clBtnHighlight", clBtnHighlight}};
    for (const TValueName<TColor>& name : named)
        if (text == name.Name) return name.Value;
    return static_cast<TColor>(std::stoul(text, nullptr, 0));
}

bool BoolFromText(const std::string& text) {
    if (text == "true" || text == "1") return true;
    if (text == "false" || text == "0") return false;
    throw std::invalid_argument("\"" + text + "\" is neither true nor false");
}

int IntFromText(const std::string& text) { return static_cast<int>(std::stol(text, nullptr, 0)); }

std::invalid_argument UnknownValue(const std::string& property, const std::string& value) {
    return std::invalid_argument(property + " has no value \"" + value + "\"");
}
