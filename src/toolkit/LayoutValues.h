// Property values as layouts write them: colours, truth values, numbers, and the names of
// enumerated values and of sets. Every reader throws std::invalid_argument (or out_of_range
// for a number too large) for a text it cannot read.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <stdexcept>
#include <string>

#include "toolkit/Graphics.h"

// "clNavy" and the other colour names, or a number (decimal or 0x hex).
TColor ColorFromText(const std::string& text);
// "true"/"false" (or 1/0).
bool BoolFromText(const std::string& text);
// A number, decimal or 0x hex.
int IntFromText(const std::string& text);

// One row of a property's table of value names.
template <class T>
struct TValueName {
    const char* Name;
    T Value;
};
template <class T>
using TValueNames = std::initializer_list<TValueName<T>>;

// The error for a value that property does not have: it names both.
std::invalid_argument UnknownValue(const std::string& property, const std::string& value);

// The value that text names in the property's table.
template <class T>
T EnumFromText(const std::string& property, const std::string& text, TValueNames<T> names) {
    for (const TValueName<T>& name : names)
        if (text == name.Name) return name.Value;
    throw UnknownValue(property, text);
}

// A set written as names joined by commas ("biSystemMenu,biMinimize"); an empty text is the
// empty set.
template <class T>
T SetFromText(const std::string& property, const std::string& text, TValueNames<T> names) {
    T set{};
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find(',', start);
        if (end == std::string::npos) end = text.size();
        set = static_cast<T>(set | EnumFromText(property, text.substr(start, end - start), names));
        start = end + 1;
    }
    return set;
}
