// ShortenPath: the order of the shortening steps, where the loop stops, and odd paths.
#include "shared/ShortenPath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Steps = std::vector<std::string>;

constexpr int kCharWidth = 6;  // a made-up fixed-pitch font
int Width(const std::string& text) { return kCharWidth * static_cast<int>(text.size()); }

// Shortens with a measure that remembers every text it was asked about and gives up
// (instead of hanging the test) if the routine keeps asking.
Steps measured;
std::string Shorten(const std::string& path, int maxWidth) {
    measured.clear();
    return ShortenPath(path, [](const std::string& text) {
        if (measured.size() > 1000) throw std::runtime_error("ShortenPath does not stop");
        measured.push_back(text);
        return Width(text);
    }, maxWidth);
}

// Every form a path takes when nothing fits, longest first.
Steps AllSteps(const std::string& path) {
    const std::string last = Shorten(path, -1);
    if (measured.empty() || measured.back() != last) measured.push_back(last);
    return measured;
}

// A directory whose name merely begins with "." is a directory like any other: only an
// earlier cut's ellipsis is taken for one.
TEST(ShortenPath, DirectoriesGiveWayOneAtATimeThenTheDriveThenTheEllipsis) {
    const Steps cases[] = {
        {"C:\\WINDOWS\\SYSTEM\\FOO\\BAR.EXE", "C:\\...\\SYSTEM\\FOO\\BAR.EXE", "C:\\...\\FOO\\BAR.EXE",
         "C:\\...\\BAR.EXE", "...\\BAR.EXE", "BAR.EXE"},
        {"\\WINDOWS\\SYSTEM\\BAR.EXE", "\\...\\SYSTEM\\BAR.EXE", "\\...\\BAR.EXE", "...\\BAR.EXE", "BAR.EXE"},
        {"WINDOWS\\SYSTEM\\BAR.EXE", "...\\SYSTEM\\BAR.EXE", "...\\BAR.EXE", "BAR.EXE"},
        {"C:NAME", "NAME"},
        {"C:DIR\\NAME", "C:...\\NAME", "C:NAME", "NAME"},
        {"C:\\BAR.EXE"},  // the root of a drive is never cut: C:BAR.EXE names another file
        {"BAR.EXE"},     // nor is a file name alone
        {"C:\\.AB\\BAR.EXE", "C:\\...\\BAR.EXE", "...\\BAR.EXE", "BAR.EXE"},
        {"C:\\.A\\B\\BAR.EXE", "C:\\...\\B\\BAR.EXE", "C:\\...\\BAR.EXE", "...\\BAR.EXE", "BAR.EXE"},
        {"..\\..\\BAR.EXE", "...\\..\\BAR.EXE", "...\\BAR.EXE", "BAR.EXE"},
        // Directories and names in any script give way whole, the ellipsis included.
        {"C:\\Алексей\\東京😀\\прог.exe", "C:\\...\\東京😀\\прог.exe", "C:\\...\\прог.exe", "...\\прог.exe", "прог.exe"},
        {"C:\\.東\\é\\x", "C:\\...\\é\\x", "C:\\...\\x", "...\\x", "x"},
    };
    for (const Steps& steps : cases) {
        EXPECT_EQ(AllSteps(steps[0]), steps);
        // At every width it stops at the first step that fits, the exact width fitting, and
        // measures nothing past it.
        for (int width = Width(steps[0]); width >= 0; --width) {
            const auto fit = std::find_if(steps.begin(), steps.end(), [&](const auto& step) { return Width(step) <= width; });
            EXPECT_EQ(Shorten(steps[0], width), fit == steps.end() ? steps.back() : *fit) << width;
            EXPECT_LE(measured.size(), static_cast<size_t>(fit - steps.begin()) + 1) << width;
        }
    }
}

// Whatever the text, shortening ends, every step keeps the file name, and when nothing
// fits the file name alone is left (a file in a drive's root keeps its whole path). Checked
// on every text of up to six characters made of the characters that steer the routine, and
// on a few longer odd paths.
TEST(ShortenPath, EndsWithTheFileNameForEveryText) {
    Steps paths = {""};
    for (std::size_t i = 0; paths[i].size() < 6; ++i)
        for (char c : std::string("\\:.A")) paths.push_back(paths[i] + c);
    paths.insert(paths.end(), {"C:\\\\\\\\X", "\\\\S\\H\\X", "C:\\...\\...\\X", "::\\:X", "C:..\\X", std::string(250, '\\') + "X"});
    for (const std::string& path : paths) {
        const size_t cut = path.find_last_of("\\:");
        const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
        const bool inDriveRoot = cut == 2 && path[1] == ':' && path[2] == '\\';
        ASSERT_NO_THROW(EXPECT_EQ(Shorten(path, -1), inDriveRoot ? path : name) << path) << path;
        for (const std::string& step : measured) EXPECT_TRUE(step.ends_with(name)) << path << " -> " << step;
    }
}

}  // namespace
