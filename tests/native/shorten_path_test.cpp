// ShortenPath: the order of the shortening steps, where the loop stops, and odd paths.
#include "shared/ShortenPath.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using ::testing::ElementsAreArray;

constexpr int kCharWidth = 6;  // a made-up fixed-pitch font

int Width(const std::string& text) { return kCharWidth * static_cast<int>(text.size()); }

// Shortens with a measure that remembers every text it was asked about and gives up
// (instead of hanging the test) if the routine keeps asking.
struct Recorder {
    std::vector<std::string> measured;

    std::string Shorten(const std::string& path, int maxWidth) {
        measured.clear();
        return ShortenPath(
            path,
            [this](const std::string& text) {
                if (measured.size() > 1000) throw std::runtime_error("ShortenPath does not stop");
                measured.push_back(text);
                return Width(text);
            },
            maxWidth);
    }
};

// Every form a path takes when nothing fits, longest first.
std::vector<std::string> AllSteps(const std::string& path) {
    Recorder recorder;
    const std::string last = recorder.Shorten(path, -1);
    std::vector<std::string> steps = recorder.measured;
    if (steps.empty() || steps.back() != last) steps.push_back(last);
    return steps;
}

TEST(ShortenPath, DirectoriesGiveWayOneAtATimeThenTheDriveThenTheEllipsis) {
    EXPECT_THAT(AllSteps("C:\\WINDOWS\\SYSTEM\\FOO\\BAR.EXE"),
                ElementsAreArray<std::string>({"C:\\WINDOWS\\SYSTEM\\FOO\\BAR.EXE", "C:\\...\\SYSTEM\\FOO\\BAR.EXE",
                                               "C:\\...\\FOO\\BAR.EXE", "C:\\...\\BAR.EXE", "...\\BAR.EXE",
                                               "BAR.EXE"}));
    EXPECT_THAT(AllSteps("\\WINDOWS\\SYSTEM\\BAR.EXE"),
                ElementsAreArray<std::string>({"\\WINDOWS\\SYSTEM\\BAR.EXE", "\\...\\SYSTEM\\BAR.EXE",
                                               "\\...\\BAR.EXE", "...\\BAR.EXE", "BAR.EXE"}));
    EXPECT_THAT(AllSteps("WINDOWS\\SYSTEM\\BAR.EXE"),
                ElementsAreArray<std::string>({"WINDOWS\\SYSTEM\\BAR.EXE", "...\\SYSTEM\\BAR.EXE", "...\\BAR.EXE",
                                               "BAR.EXE"}));
    EXPECT_THAT(AllSteps("C:NAME"), ElementsAreArray<std::string>({"C:NAME", "NAME"}));
    EXPECT_THAT(AllSteps("C:DIR\\NAME"),
                ElementsAreArray<std::string>({"C:DIR\\NAME", "C:...\\NAME", "C:NAME", "NAME"}));
}

TEST(ShortenPath, StopsAtTheFirstStepThatFitsCountingTheExactWidthAsFitting) {
    const std::string path = "C:\\WINDOWS\\SYSTEM\\FOO\\BAR.EXE";
    const std::vector<std::string> steps = AllSteps(path);
    Recorder recorder;
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(recorder.Shorten(path, Width(steps[i])), steps[i]);
        EXPECT_LE(recorder.measured.size(), i + 1) << "measured past the first fit";
        if (i + 1 < steps.size()) {
            EXPECT_EQ(recorder.Shorten(path, Width(steps[i]) - 1), steps[i + 1]);
        }
    }
}

TEST(ShortenPath, APathThatFitsAndAFileNameAloneAreReturnedUnchanged) {
    Recorder recorder;
    for (const std::string path : {"C:\\WINDOWS\\BAR.EXE", "\\\\SERVER\\SHARE\\BAR.EXE", "..\\..\\BAR.EXE",
                                   "C:BAR.EXE", "BAR.EXE", "\\...\\X", "C:\\", "\\\\", ":", ""}) {
        EXPECT_EQ(recorder.Shorten(path, Width(path)), path);
        EXPECT_EQ(recorder.Shorten(path, 10000), path);
    }
    EXPECT_EQ(recorder.Shorten("BAR.EXE", 0), "BAR.EXE");  // never cut, even when it does not fit
    EXPECT_EQ(recorder.Shorten("C:\\WINDOWS\\A VERY LONG FILE NAME.EXE", 60), "A VERY LONG FILE NAME.EXE");
}

TEST(ShortenPath, AFullLengthPathKeepsAsManyTrailingDirectoriesAsFit) {
    std::string path = "C:\\";
    std::vector<std::string> folders;
    for (int i = 1; i <= 25; ++i) {
        folders.push_back("FOLDER" + std::string(i < 10 ? "00" : "0") + std::to_string(i) + "\\");
        path += folders.back();
    }
    path += "ABC.EXE";
    ASSERT_EQ(path.size(), 260u);

    // 561 pixels hold 93 characters: "C:\...\", seven folders of ten and the name.
    std::string expected = "C:\\...\\";
    for (size_t i = folders.size() - 7; i < folders.size(); ++i) expected += folders[i];
    expected += "ABC.EXE";
    Recorder recorder;
    EXPECT_EQ(recorder.Shorten(path, 561), expected);
    EXPECT_EQ(recorder.measured.size(), 19u);  // the path itself and eighteen cuts
}

// A directory whose name merely begins with "." is a directory like any other: cutting it
// must not drop characters by position, nor make a different path out of this one.
TEST(ShortenPath, OnlyAnEarlierEllipsisIsTakenForOne) {
    EXPECT_THAT(AllSteps("C:\\.AB\\BAR.EXE"),
                ElementsAreArray<std::string>({"C:\\.AB\\BAR.EXE", "C:\\...\\BAR.EXE", "...\\BAR.EXE", "BAR.EXE"}));
    EXPECT_THAT(AllSteps("C:\\.A\\B\\BAR.EXE"),
                ElementsAreArray<std::string>({"C:\\.A\\B\\BAR.EXE", "C:\\...\\B\\BAR.EXE", "C:\\...\\BAR.EXE",
                                               "...\\BAR.EXE", "BAR.EXE"}));
    EXPECT_THAT(AllSteps("..\\..\\BAR.EXE"),
                ElementsAreArray<std::string>({"..\\..\\BAR.EXE", "...\\..\\BAR.EXE", "...\\BAR.EXE", "BAR.EXE"}));
}

// Whatever the text, shortening ends, every step keeps the file name, and when nothing
// fits the file name alone is left. Checked on every text of up to six characters made of
// the characters that steer the routine, and on a few longer odd paths.
TEST(ShortenPath, EndsWithTheFileNameForEveryText) {
    std::vector<std::string> paths = {"\\\\",         ":",       "C:",         "C:\\",        "...\\",
                                      "\\...\\X",     "\\...\\", "C:\\\\\\\\X", "\\\\S\\H\\X", "A\\B:C",
                                      "C:\\...\\...\\X", "::\\:X",  ".\\",        "\\.\\X",       "C:..\\X"};
    const std::string alphabet = "\\:.A";
    std::vector<std::string> level = {""};
    for (int length = 1; length <= 6; ++length) {
        std::vector<std::string> next;
        for (const std::string& text : level)
            for (char c : alphabet) next.push_back(text + c);
        paths.insert(paths.end(), next.begin(), next.end());
        level = std::move(next);
    }

    Recorder recorder;
    for (const std::string& path : paths) {
        const std::string name = path.substr(path.find_last_of("\\:") == std::string::npos
                                                 ? 0
                                                 : path.find_last_of("\\:") + 1);
        ASSERT_NO_THROW(EXPECT_EQ(recorder.Shorten(path, -1), name) << path) << path;
        for (const std::string& step : recorder.measured)
            EXPECT_TRUE(step.ends_with(name)) << path << " -> " << step;
    }
}

}  // namespace
