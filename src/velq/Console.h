// The console of a console program, as one interface: standard output and error, and lines
// typed on standard input. Win32Console is the real one; tests give a made-up one.
#pragma once

#include <string>
#include <string_view>

namespace platform {

enum class StandardStream { Output, Error };

class IConsole {
public:
    virtual ~IConsole() = default;
    // Writes UTF-8 text: a console shows its characters, a file or pipe receives the bytes.
    // False when it could not be written whole.
    virtual bool Write(StandardStream stream, std::string_view utf8) = 0;
    // One line of standard input without its line end; false at the end of the input.
    virtual bool ReadLine(std::string& line) = 0;
};

}  // namespace platform
