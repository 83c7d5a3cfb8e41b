// UTF-8 is the program's text everywhere inside; UTF-16 is what the wide Win32 functions take
// and give. These two functions are the one place where text crosses between them: the
// platform layer, the toolkit and velq all convert here, each time a text reaches Win32.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A std::wstring holds UTF-16 code units (wchar_t is 16 bits on Windows; elsewhere each unit
// sits in a wider wchar_t, so that the same logic is tested natively). Malformed input, a
// broken UTF-8 sequence or an unpaired surrogate, becomes U+FFFD, as Windows converts it.
std::wstring Utf16FromUtf8(std::string_view text);
std::string Utf8FromUtf16(std::wstring_view text);

// The number of bytes of the character (code point) that begins at text[at]: 1 to 4, never
// running past the end; a stray byte counts as one character.
std::size_t CharacterSize(std::string_view text, std::size_t at);
// The code point that begins at text[at] (U+FFFD for a malformed sequence).
char32_t CodePointAt(std::string_view text, std::size_t at);
