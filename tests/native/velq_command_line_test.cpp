// velq's command line: what each form asks for, and how handles and process ids are read
// (the usage errors are in velq_commands_test, with their exit status).
#include "velq/VelqCommandLine.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(VelqCommandLine, IdentifiersAreHexWithPrefixLetterOrLeadingZeroAndDecimalOtherwise) {
    const std::pair<const char*, std::int64_t> cases[] = {  // -1: not an identifier
        {"0x1A2b", 0x1A2B}, {"0X10", 0x10},     {"1a2b", 0x1A2B}, {"00012", 0x12}, {"1234", 1234},
        {"0", 0},           {"4294967295", 0xFFFFFFFF}, {"4294967296", -1}, {"0x100000000", -1}, {"", -1},
        {"0x", -1},         {"12z", -1},        {"-5", -1},       {" 5", -1},      {"5.0", -1}};
    std::uint32_t value = 0;
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParseIdentifier(text, value) ? std::int64_t{value} : -1, expected) << text;
    EXPECT_FALSE(ParseDecimal("1a", value) || ParseDecimal("0x10", value));
}

TEST(VelqCommandLine, EachFormGivesItsRequest) {
    // command, filter, task-bar rule, empty names, format, target, timeout, yes
    using Request = std::tuple<TVelqCommand, TFind_ID, bool, bool, TOutputFormat, std::uint32_t, std::uint32_t, bool>;
    const auto T = TOutputFormat::Table;
    const auto W = TVelqCommand::Windows;
    // velq_test runs the other forms against the real system; these two it cannot tell apart.
    const std::pair<std::vector<std::string>, Request> cases[] = {
        {{"windows", "--invisible", "--no-taskbar-rule", "--empty-names"}, {W, id_InvisOnly, false, true, T, 0, 5000, false}},
        {{"kill", "120", "--yes", "--timeout", "250"}, {TVelqCommand::Kill, id_VisOnly, true, false, T, 120, 250, true}},
    };
    for (const auto& [arguments, expected] : cases) {
        const TVelqCommandLine line = ParseVelqCommandLine(arguments);
        const TVelqRequest& r = line.request;
        EXPECT_EQ(line.outcome, TVelqCommandLine::Outcome::Run) << line.text;
        EXPECT_EQ(Request(r.command, r.whatDoFind, r.taskBarRule, r.emptyNames, r.format, r.target,
                          r.timeoutMilliseconds, r.yes), expected) << ::testing::PrintToString(arguments);
    }
}

}  // namespace
