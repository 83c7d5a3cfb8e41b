// Reads CSV as RFC 4180 writes it (quoted fields, doubled quotes, CRLF), so that tests
// compare fields, not strings.
#pragma once

#include <string>
#include <vector>

using CsvRows = std::vector<std::vector<std::string>>;
// Throws std::runtime_error on an unterminated quote or a line that does not end in CRLF.
CsvRows ReadCsv(const std::string& text);
