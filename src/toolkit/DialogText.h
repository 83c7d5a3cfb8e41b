// The text of a message dialog as it is drawn: portable, so that it is tested natively.
#pragma once

#include <string>

// Every line break (CR LF, LF CR, CR or LF) made CR LF, and the UTF-8 text as UTF-16, whatever
// the system's code page is.
std::wstring DialogDisplayText(const std::string& text);
