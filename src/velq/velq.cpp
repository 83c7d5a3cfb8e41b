// velq's entry point: the command line, the real platform and console, and the exit status.
#include <windows.h>
#include <shellapi.h>

#include <exception>
#include <string>
#include <vector>

#include "velq/Win32Console.h"
#include "platform/Win32Platform.h"
#include "velq/VelqCommands.h"
#include "shared/Utf16.h"

namespace {

// The arguments as typed, read from the wide command line: the ANSI ones pass through the code
// page, whose best fit would turn look-alike characters (fullwidth digits and dashes) into ASCII.
std::vector<std::string> Arguments() {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i) arguments.push_back(Utf8FromUtf16(wide[i]));
    if (wide) ::LocalFree(wide);
    return arguments;
}

}  // namespace

int main() {
    platform::Win32Console console;
    try {
        const std::vector<std::string> arguments = Arguments();
        platform::Win32Platform& system = platform::Win32Platform::Instance();
        return RunVelq(arguments, system, system, console);
    } catch (const std::exception& error) {
        console.Write(platform::StandardStream::Error, std::string("velq: ") + error.what() + "\n");
        return kVelqFailed;
    }
}
