// DialogDisplayText: line breaks made CR LF, the UTF-8 text made UTF-16.
#include "toolkit/DialogText.h"

#include "shared/Utf16.h"

std::wstring DialogDisplayText(const std::string& text) {
    std::string shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            shown += c;
            continue;
        }
        shown += "\r\n";
        if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != c) ++i;
    }
    return Utf16FromUtf8(shown);
}
