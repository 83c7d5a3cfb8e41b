// The real console: standard handles of the process. A console gets UTF-16 through the
// console functions, so every character it can show comes out right whatever its code page;
// a file or pipe gets the UTF-8 bytes unchanged.
#pragma once

#include "velq/Console.h"

namespace platform {

class Win32Console : public IConsole {
public:
    bool Write(StandardStream stream, std::string_view utf8) override;
    bool ReadLine(std::string& line) override;
};

}  // namespace platform
