// The text of a message dialog as it is drawn: portable, so that it is tested natively.
#pragma once

#include <string>

// Every line break (CR LF, LF CR, CR or LF) made CR LF, and the Windows-1252 characters as
// their Unicode code points, whatever the system's code page is. The five bytes that
// Windows-1252 leaves undefined keep their value, as Windows converts them.
std::wstring DialogDisplayText(const std::string& text);
