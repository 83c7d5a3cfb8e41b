// The command line of velq, the console companion: its commands and options read into one
// request, with help, version and usage errors; and the two ways it reads numbers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "components/FindWin.h"
#include "velq/RecordTable.h"

enum class TVelqCommand { Windows, Window, Processes, Modules, Kill, Front, Close };

struct TVelqRequest {
    TVelqCommand command = TVelqCommand::Windows;
    // windows: the window page's filter at start-up unless the options change it.
    TFind_ID whatDoFind = id_VisOnly;
    bool emptyNames = false;
    bool taskBarRule = true;
    TOutputFormat format = TOutputFormat::Table;
    std::uint32_t target = 0;  // window, front, close: the handle; modules, kill: the process id
    bool atPoint = false;      // window: the one at x, y of the screen instead of a handle
    int x = 0, y = 0;
    bool yes = false;          // kill: no question
    std::uint32_t timeoutMilliseconds = 5000;  // kill, close
};

struct TVelqCommandLine {
    enum class Outcome { Run, Print, UsageError };
    Outcome outcome = Outcome::Run;
    TVelqRequest request;  // Run
    std::string text;      // Print: help or version for standard output; UsageError: one line
};

// arguments without the program's name.
TVelqCommandLine ParseVelqCommandLine(const std::vector<std::string>& arguments);

// A handle or process id: hex with "0x", hex when it holds a letter a-f or starts with 0
// (as the pages write them, zero-filled), otherwise decimal. False unless it is a whole
// number that fits 32 bits.
bool ParseIdentifier(std::string_view text, std::uint32_t& value);
// Decimal digits only, fitting 32 bits.
bool ParseDecimal(std::string_view text, std::uint32_t& value);
