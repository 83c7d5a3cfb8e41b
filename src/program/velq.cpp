// velq's entry point: the command line, the real platform and console, and the exit status.
#include <exception>
#include <string>
#include <vector>

#include "platform/Win32Console.h"
#include "platform/Win32Platform.h"
#include "program/VelqCommands.h"
#include "shared/Windows1252.h"

int main(int argc, char** argv) {
    platform::Win32Console console;
    try {
        const std::vector<std::string> arguments(argv + 1, argv + argc);
        platform::Win32Platform& system = platform::Win32Platform::Instance();
        return RunVelq(arguments, system, system, console);
    } catch (const std::exception& error) {
        console.Write(platform::StandardStream::Error, Utf8From1252(std::string("velq: ") + error.what() + "\n"));
        return kVelqFailed;
    }
}
