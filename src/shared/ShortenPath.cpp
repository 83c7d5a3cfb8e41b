// ShortenPath: leading directories give way to "...\" until the path fits its label.
#include "shared/ShortenPath.h"

namespace {

const std::string kEllipsis = "...\\";  // stands for the directories already cut

// Cuts the first directory of a directory part (which ends in "\" or ":"), leaving
// "...\" in front of what remains; a leading "\" stays. Only an exact "...\" counts as an
// earlier cut: a real directory such as ".AB\" is cut like any other, never by position.
std::string CutFirstDirectory(std::string directory) {
    if (directory == "\\") return "";
    const bool rooted = directory.front() == '\\';
    if (rooted) directory.erase(0, 1);
    if (directory.starts_with(kEllipsis)) directory.erase(0, kEllipsis.size());
    const auto separator = directory.find('\\');
    directory = separator == std::string::npos ? "" : kEllipsis + directory.substr(separator + 1);
    return rooted ? "\\" + directory : directory;
}

}  // namespace

std::string FileNamePart(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\:");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string ShortenPath(const std::string& path, const std::function<int(const std::string&)>& measure,
                        int maxWidth) {
    const std::string name = FileNamePart(path);
    std::string directory = path.substr(0, path.size() - name.size());
    std::string drive;
    if (directory.size() >= 2 && directory[1] == ':') {
        drive = directory.substr(0, 2);
        directory.erase(0, 2);
    }

    // A file in the root of a drive has nothing to give way: without its backslash it would
    // read as another file (C:BAR.EXE is relative to the drive's current folder).
    if (directory == "\\" && !drive.empty()) return path;

    // Every pass empties the drive, shortens "\...\" or leaves one directory fewer after
    // the "...\", so the loop ends for any text, whatever the measure says.
    std::string result = path;
    while ((!directory.empty() || !drive.empty()) && measure(result) > maxWidth) {
        if (directory == "\\...\\") {
            drive.clear();
            directory = kEllipsis;
        } else if (directory.empty()) {
            drive.clear();
        } else {
            directory = CutFirstDirectory(directory);
        }
        result = drive + directory + name;
    }
    return result;
}
