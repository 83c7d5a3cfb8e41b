// ReadCsv: one pass over the text, a field at a time.
#include "support/Csv.h"

#include <stdexcept>
#include <utility>

CsvRows ReadCsv(const std::string& text) {
    CsvRows rows;
    std::vector<std::string> row;
    std::string field;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '"') {
            for (++i;; ++i) {
                if (i >= text.size()) throw std::runtime_error("unterminated quote");
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') ++i;
                    else break;
                }
                field += text[i];
            }
            ++i;
        }
        while (i < text.size() && text[i] != ',' && text[i] != '\r') field += text[i++];
        row.push_back(std::exchange(field, {}));
        if (i < text.size() && text[i] == ',') {
            ++i;
            continue;
        }
        if (text.compare(i, 2, "\r\n") != 0) throw std::runtime_error("a line without CRLF");
        i += 2;
        rows.push_back(std::exchange(row, {}));
    }
    return rows;
}
