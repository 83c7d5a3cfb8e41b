// DialogDisplayText: line breaks made CR LF, each character as its Windows-1252 code point.
#include "toolkit/DialogText.h"

#include "shared/Windows1252.h"

std::wstring DialogDisplayText(const std::string& text) {
    std::wstring shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            shown += static_cast<wchar_t>(CodePointOf1252(static_cast<unsigned char>(c)));
            continue;
        }
        shown += L"\r\n";
        if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != c) ++i;
    }
    return shown;
}
