// UTF-8 <-> UTF-16, strict in what they read: each byte of a malformed sequence, and each
// lone half of a surrogate pair, is one U+FFFD.
#include "shared/Utf16.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

struct Decoded {
    char32_t codePoint;
    std::size_t size;
};

// One code point from UTF-8: overlong forms, surrogates and values past U+10FFFF are malformed,
// and so is a sequence cut short; a malformed sequence spends one byte.
Decoded Decode(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return {lead, 1};
    std::size_t size;
    char32_t code;
    char32_t least;
    if ((lead & 0xE0) == 0xC0) {
        size = 2, code = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        size = 3, code = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        size = 4, code = lead & 0x07, least = 0x10000;
    } else {
        return {kReplacement, 1};
    }
    if (text.size() - at < size) return {kReplacement, 1};
    for (std::size_t i = 1; i < size; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return {kReplacement, 1};
        code = (code << 6) | (byte(i) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {kReplacement, 1};
    return {code, size};
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

std::wstring Utf16FromUtf8(std::string_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Decoded one = Decode(text, at);
        at += one.size;
        if (one.codePoint < 0x10000) {
            out += static_cast<wchar_t>(one.codePoint);
        } else {
            out += static_cast<wchar_t>(0xD800 + ((one.codePoint - 0x10000) >> 10));
            out += static_cast<wchar_t>(0xDC00 + ((one.codePoint - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::string Utf8FromUtf16(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        char32_t code = static_cast<char32_t>(text[at]) & 0xFFFF;
        if (code >= 0xD800 && code <= 0xDBFF && at + 1 < text.size() &&
            (static_cast<char32_t>(text[at + 1]) & 0xFC00) == 0xDC00) {
            code = 0x10000 + ((code - 0xD800) << 10) + ((static_cast<char32_t>(text[++at]) & 0xFFFF) - 0xDC00);
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = kReplacement;
        }
        AppendUtf8(out, code);
    }
    return out;
}

std::size_t CharacterSize(std::string_view text, std::size_t at) { return Decode(text, at).size; }

char32_t CodePointAt(std::string_view text, std::size_t at) { return Decode(text, at).codePoint; }
