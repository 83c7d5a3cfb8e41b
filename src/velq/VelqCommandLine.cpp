// velq's command line through CLI11: commands, options, help and the usage errors it
// words; the numbers are read here, so that "12z" is refused the same way everywhere.
#include "velq/VelqCommandLine.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>

#include "shared/Version.h"

namespace {

bool ParseDigits(std::string_view text, unsigned base, std::uint32_t& value) {
    if (text.empty()) return false;
    std::uint64_t result = 0;
    for (const char c : text) {
        const int lower = std::tolower(static_cast<unsigned char>(c));
        unsigned digit;
        if (lower >= '0' && lower <= '9') digit = static_cast<unsigned>(lower - '0');
        else if (base == 16 && lower >= 'a' && lower <= 'f') digit = static_cast<unsigned>(lower - 'a' + 10);
        else return false;
        result = result * base + digit;
        if (result > 0xFFFFFFFFu) return false;
    }
    value = static_cast<std::uint32_t>(result);
    return true;
}

std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// "X,Y": two whole numbers of screen pixels, negative ones too (monitors left of or above the
// main one).
bool ParsePoint(const std::string& text, int& x, int& y) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) return false;
    const auto parse = [](std::string_view part, int& value) {
        const bool negative = !part.empty() && part[0] == '-';
        std::uint32_t magnitude = 0;
        if (!ParseDecimal(part.substr(negative ? 1 : 0), magnitude) || magnitude > 0x7FFFFFFFu) return false;
        value = negative ? -static_cast<int>(magnitude) : static_cast<int>(magnitude);
        return true;
    };
    return parse(std::string_view(text).substr(0, comma), x) && parse(std::string_view(text).substr(comma + 1), y);
}

TVelqCommandLine UsageError(const std::string& what) {
    TVelqCommandLine result;
    result.outcome = TVelqCommandLine::Outcome::UsageError;
    result.text = "velq: " + OneLine(what);
    return result;
}

void AddFormat(CLI::App& command, std::string& format) {
    command.add_option("--format", format, "output: table (aligned columns, the default), csv or json")
        ->check(CLI::IsMember({"table", "csv", "json"}))
        ->type_name("F");
}

TOutputFormat FormatNamed(const std::string& name) {
    if (name == "csv") return TOutputFormat::Csv;
    if (name == "json") return TOutputFormat::Json;
    return TOutputFormat::Table;
}

}  // namespace

bool ParseDecimal(std::string_view text, std::uint32_t& value) { return ParseDigits(text, 10, value); }

bool ParseIdentifier(std::string_view text, std::uint32_t& value) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return ParseDigits(text.substr(2), 16, value);
    const bool hasLetter = std::any_of(text.begin(), text.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
    const bool zeroFilled = text.size() > 1 && text[0] == '0';
    return ParseDigits(text, hasLetter || zeroFilled ? 16 : 10, value);
}

TVelqCommandLine ParseVelqCommandLine(const std::vector<std::string>& arguments) {
    CLI::App app{"Lists the desktop's top-level windows, the running processes and their modules, "
                 "brings a window to the front or closes it, and ends a process: the records of Velqorns, "
                 "on the console.",
                 "velq"};
    app.set_version_flag("--version", std::string("velq ") + kFileVersion);
    app.require_subcommand(1);

    std::string format = "table";
    bool all = false, visible = false, invisible = false, emptyNames = false, noTaskBarRule = false;
    CLI::App* windows = app.add_subcommand("windows", "the top-level windows, filtered as the window page does");
    CLI::Option* allFlag = windows->add_flag("--all", all, "visible and invisible windows");
    CLI::Option* visibleFlag = windows->add_flag("--visible", visible, "visible windows only (the default)");
    CLI::Option* invisibleFlag = windows->add_flag("--invisible", invisible, "invisible windows only");
    allFlag->excludes(visibleFlag)->excludes(invisibleFlag);
    visibleFlag->excludes(invisibleFlag);
    CLI::Option* noRuleFlag =
        windows->add_flag("--no-taskbar-rule", noTaskBarRule, "owned windows and those the task bar leaves out too");
    windows->add_flag("--empty-names", emptyNames, "untitled windows too (only without the task-bar rule)")
        ->needs(noRuleFlag);
    AddFormat(*windows, format);

    std::string target, timeout = "5000", point;
    bool yes = false;
    CLI::App* window = app.add_subcommand("window", "one top-level window, whatever the filters");
    CLI::Option* handleOption =
        window->add_option("HWND", target, "the window's handle: hex (0x1A2B, 1A2B, 00012) or decimal")->type_name("");
    window->add_option("--at", point, "instead of HWND: the top-level window at this point of the screen")
        ->type_name("X,Y")
        ->excludes(handleOption);
    AddFormat(*window, format);
    CLI::App* processes = app.add_subcommand("processes", "the running processes");
    AddFormat(*processes, format);
    CLI::App* modules = app.add_subcommand("modules", "the modules loaded by one process");
    modules->add_option("PID", target, "the process id: decimal, or hex as for HWND")->required()->type_name("");
    AddFormat(*modules, format);
    CLI::App* kill = app.add_subcommand("kill", "ends one process, after asking");
    kill->add_option("PID", target, "the process id: decimal, or hex as for HWND")->required()->type_name("");
    kill->add_flag("--yes", yes, "do not ask");
    kill->add_option("--timeout", timeout, "how long to wait for the process to end, in milliseconds (5000)")->type_name("MS");
    CLI::App* front = app.add_subcommand("front", "restores a window and brings it to the foreground");
    front->add_option("HWND", target, "the window's handle, as for window")->required()->type_name("");
    CLI::App* close = app.add_subcommand("close", "asks a window to close, as its close box does, and waits");
    close->add_option("HWND", target, "the window's handle, as for window")->required()->type_name("");
    close->add_option("--timeout", timeout, "how long to wait for the window to go, in milliseconds (5000)")->type_name("MS");

    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());  // CLI11 takes them last first
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        return {TVelqCommandLine::Outcome::Print, {}, app.help()};
    } catch (const CLI::CallForAllHelp&) {
        return {TVelqCommandLine::Outcome::Print, {}, app.help("", CLI::AppFormatMode::All)};
    } catch (const CLI::CallForVersion& version) {
        return {TVelqCommandLine::Outcome::Print, {}, std::string(version.what()) + "\n"};
    } catch (const CLI::ParseError& error) {
        return UsageError(std::string(error.what()) + " (see velq --help)");
    }

    TVelqCommandLine result;
    TVelqRequest& request = result.request;
    request.format = FormatNamed(format);
    if (windows->parsed()) {
        request.command = TVelqCommand::Windows;
        request.whatDoFind = all ? id_All : invisible ? id_InvisOnly : id_VisOnly;
        request.taskBarRule = !noTaskBarRule;
        request.emptyNames = emptyNames;
    } else if (window->parsed() && !point.empty()) {
        request.command = TVelqCommand::Window;
        request.atPoint = true;
        if (!ParsePoint(point, request.x, request.y)) return UsageError("--at: '" + point + "' is not a point X,Y");
    } else if (window->parsed() || front->parsed() || close->parsed()) {
        request.command = window->parsed() ? TVelqCommand::Window : front->parsed() ? TVelqCommand::Front : TVelqCommand::Close;
        if (target.empty()) return UsageError("window: give HWND or --at X,Y (see velq --help)");
        if (!ParseIdentifier(target, request.target)) return UsageError("HWND: '" + target + "' is not a window handle");
    } else if (processes->parsed()) {
        request.command = TVelqCommand::Processes;
    } else {
        request.command = modules->parsed() ? TVelqCommand::Modules : TVelqCommand::Kill;
        if (!ParseIdentifier(target, request.target)) return UsageError("PID: '" + target + "' is not a process id");
        request.yes = yes;
    }
    // The largest value would be the system's "wait for ever": the wait stays bounded.
    if (!ParseDecimal(timeout, request.timeoutMilliseconds) || request.timeoutMilliseconds == 0xFFFFFFFFu)
        return UsageError("--timeout: '" + timeout + "' is not a number of milliseconds below 4294967295");
    return result;
}
