// Windows-1252, the code page of every text inside the program, converted for the world
// outside it: UTF-8 for files, pipes and JSON, UTF-16 for the console and the clipboard.
#pragma once

#include <string>
#include <string_view>

// The code point of one Windows-1252 byte. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same value, as the
// system's own conversion does.
char32_t CodePointOf1252(unsigned char byte);

std::string Utf8From1252(std::string_view text);
std::u16string Utf16From1252(std::string_view text);
