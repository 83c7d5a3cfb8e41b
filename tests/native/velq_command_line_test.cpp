// velq's command line: what each form asks for, and how handles and process ids are read
// (the usage errors are in velq_commands_test, with their exit status).
#include "program/VelqCommandLine.h"

#include <gtest/gtest.h>

namespace {

using Outcome = TVelqCommandLine::Outcome;

TEST(VelqCommandLine, IdentifiersAreHexWithPrefixLetterOrLeadingZeroAndDecimalOtherwise) {
    struct Case {
        const char* text;
        bool valid;
        std::uint32_t value;
    };
    const Case cases[] = {
        {"0x1A2b", true, 0x1A2B}, {"0X10", true, 0x10},    {"1a2b", true, 0x1A2B}, {"00012", true, 0x12},
        {"1234", true, 1234},     {"0", true, 0},          {"4294967295", true, 0xFFFFFFFF},
        {"4294967296", false, 0}, {"0x100000000", false, 0}, {"", false, 0},     {"0x", false, 0},
        {"12z", false, 0},        {"-5", false, 0},          {" 5", false, 0},   {"5.0", false, 0},
    };
    for (const Case& c : cases) {
        std::uint32_t value = 0;
        EXPECT_EQ(ParseIdentifier(c.text, value), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
    std::uint32_t value = 0;
    EXPECT_FALSE(ParseDecimal("1a", value));
    EXPECT_FALSE(ParseDecimal("0x10", value));
}

TEST(VelqCommandLine, EachFormGivesItsRequest) {
    struct Case {
        std::vector<std::string> arguments;
        Outcome outcome;
        TVelqCommand command;
        TFind_ID whatDoFind;
        bool taskBarRule, emptyNames;
        TOutputFormat format;
        std::uint32_t target, timeout;
        bool yes;
    };
    const auto T = TOutputFormat::Table;
    const auto W = TVelqCommand::Windows;
    const Case cases[] = {
        {{"windows"}, Outcome::Run, W, id_VisOnly, true, false, T, 0, 5000, false},
        {{"windows", "--all", "--format", "csv"}, Outcome::Run, W, id_All, true, false, TOutputFormat::Csv, 0, 5000, false},
        {{"windows", "--invisible", "--no-taskbar-rule", "--empty-names"}, Outcome::Run, W, id_InvisOnly, false, true, T, 0, 5000, false},
        {{"window", "0x1A", "--format", "json"}, Outcome::Run, TVelqCommand::Window, id_VisOnly, true, false, TOutputFormat::Json, 0x1A, 5000, false},
        {{"processes"}, Outcome::Run, TVelqCommand::Processes, id_VisOnly, true, false, T, 0, 5000, false},
        {{"modules", "120"}, Outcome::Run, TVelqCommand::Modules, id_VisOnly, true, false, T, 120, 5000, false},
        {{"kill", "120", "--yes", "--timeout", "250"}, Outcome::Run, TVelqCommand::Kill, id_VisOnly, true, false, T, 120, 250, true},
    };
    for (const Case& c : cases) {
        const std::string form = ::testing::PrintToString(c.arguments);
        const TVelqCommandLine line = ParseVelqCommandLine(c.arguments);
        ASSERT_EQ(line.outcome, c.outcome) << form << ": " << line.text;
        const TVelqRequest& r = line.request;
        EXPECT_EQ(r.command, c.command) << form;
        EXPECT_EQ(r.whatDoFind, c.whatDoFind) << form;
        EXPECT_EQ(r.taskBarRule, c.taskBarRule) << form;
        EXPECT_EQ(r.emptyNames, c.emptyNames) << form;
        EXPECT_EQ(r.format, c.format) << form;
        EXPECT_EQ(r.target, c.target) << form;
        EXPECT_EQ(r.timeoutMilliseconds, c.timeout) << form;
        EXPECT_EQ(r.yes, c.yes) << form;
    }
}

}  // namespace
