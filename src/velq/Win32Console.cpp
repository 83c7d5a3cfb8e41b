// Win32Console: WriteConsoleW or WriteFile by what the standard handle is; lines read the
// same way.
#include "velq/Win32Console.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/Win32Platform.h"
#include "velq/RecordTable.h"
#include "shared/Utf16.h"

namespace platform {

namespace {

bool IsConsole(HANDLE handle) {
    DWORD mode;
    return handle != INVALID_HANDLE_VALUE && handle != nullptr && ::GetConsoleMode(handle, &mode);
}

// Text for a console, laid out as a Windows console shows it: an East Asian wide character in two
// cells. Wine's console gives every UTF-16 unit one cell, so there each such character of one
// unit is followed by a blank cell, the one Windows would give it, and columns stay lined up (a
// character of two units, a surrogate pair, already takes two cells there).
std::wstring ConsoleText(std::string_view utf8) {
    if (!RunsOnWine()) return Utf16FromUtf8(utf8);
    std::string padded;
    for (std::size_t at = 0; at < utf8.size(); at += CharacterSize(utf8, at)) {
        padded += utf8.substr(at, CharacterSize(utf8, at));
        const char32_t character = CodePointAt(utf8, at);
        if (TakesTwoConsoleCells(character) && character < 0x10000) padded += ' ';
    }
    return Utf16FromUtf8(padded);
}

}  // namespace

bool Win32Console::Write(StandardStream stream, std::string_view utf8) {
    const HANDLE handle = ::GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr) return false;
    if (IsConsole(handle)) {
        const std::wstring wide = ConsoleText(utf8);
        std::size_t done = 0;
        while (done < wide.size()) {
            // Large writes are split: older consoles refuse a single write of more than 64 KB.
            DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(wide.size() - done, 8192));
            // A character of two units goes whole into one write.
            if (chunk < wide.size() - done && (wide[done + chunk - 1] & 0xFC00) == 0xD800) --chunk;
            DWORD written = 0;
            if (!::WriteConsoleW(handle, wide.data() + done, chunk, &written, nullptr) || written == 0) return false;
            done += written;
        }
        return true;
    }
    std::size_t done = 0;
    while (done < utf8.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(utf8.size() - done, 1 << 20));
        if (!::WriteFile(handle, utf8.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

bool Win32Console::ReadLine(std::string& line) {
    line.clear();
    const HANDLE handle = ::GetStdHandle(STD_INPUT_HANDLE);
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr) return false;
    if (IsConsole(handle)) {
        // A line longer than the buffer comes in several reads: they go on until its line end.
        std::wstring wide;
        wchar_t buffer[256];
        DWORD read = 0;
        while ((wide.empty() || wide.back() != L'\n') && ::ReadConsoleW(handle, buffer, 256, &read, nullptr) && read > 0)
            wide.append(buffer, read);
        if (wide.empty()) return false;
        while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r')) wide.pop_back();
        line = Utf8FromUtf16(wide);
        return true;
    }
    // A pipe or file: byte by byte, so that nothing after the line is taken from the input.
    char c;
    DWORD read = 0;
    bool any = false;
    while (::ReadFile(handle, &c, 1, &read, nullptr) && read == 1) {
        any = true;
        if (c == '\n') break;
        if (c != '\r') line += c;
    }
    return any;
}

}  // namespace platform
