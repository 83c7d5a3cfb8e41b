// The readers of colours, truth values and numbers; the error for an unknown value.
#include "toolkit/LayoutValues.h"

#include <climits>

namespace {

// The number all of text spells (decimal or 0x hex) if it lies in [least, most]: "13px" or a
// hex number with text after it is no number.
long long WholeNumber(const std::string& text, long long least, long long most) {
    std::size_t end = 0;
    const long long number = std::stoll(text, &end, 0);
    if (end != text.size()) throw std::invalid_argument("\"" + text + "\" is not a number");
    if (number < least || number > most) throw std::out_of_range("\"" + text + "\" is out of range");
    return number;
}

}  // namespace

TColor ColorFromText(const std::string& text) {
    static const TValueNames<TColor> named = {
        {"clBlack", clBlack}, {"clNavy", clNavy}, {"clGray", clGray}, {"clBlue", clBlue}, {"clWhite", clWhite},
        {"clWindowText", clWindowText}, {"clBtnFace", clBtnFace}, {"clBtnShadow", clBtnShadow},
        {"clBtnHighlight", clBtnHighlight}};
    for (const TValueName<TColor>& name : named)
        if (text == name.Name) return name.Value;
    return static_cast<TColor>(WholeNumber(text, 0, 0xFFFFFFFF));
}

bool BoolFromText(const std::string& text) {
    if (text == "true" || text == "1") return true;
    if (text == "false" || text == "0") return false;
    throw std::invalid_argument("\"" + text + "\" is neither true nor false");
}

int IntFromText(const std::string& text) { return static_cast<int>(WholeNumber(text, INT_MIN, INT_MAX)); }

std::invalid_argument UnknownValue(const std::string& property, const std::string& value) {
    return std::invalid_argument(property + " has no value \"" + value + "\"");
}
