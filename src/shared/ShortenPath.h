// ShortenPath: fits a file path into a label of fixed width by replacing its leading
// directories with "...\", one at a time; the file name itself is never cut.
#pragma once

#include <functional>
#include <string>

// Returns path, or the first shortened form of it that measure finds no wider than
// maxWidth pixels. Steps: C:\A\B\N, C:\...\B\N, C:\...\N, ...\N, N. Once only the file
// name is left it is returned even when it is still too wide. measure gives the width in
// pixels of a text in the caller's font.
std::string ShortenPath(const std::string& path, const std::function<int(const std::string&)>& measure,
                        int maxWidth);

// The file name of a path: what follows its last backslash or colon, or the whole text.
std::string FileNamePart(const std::string& path);
