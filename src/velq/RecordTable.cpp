// TRecordTable: the three writers. JSON goes through nlohmann/json, which escapes texts.
#include "velq/RecordTable.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <stdexcept>

#include "shared/NumberFormat.h"
#include "shared/Utf16.h"

namespace {

constexpr const char* kColumnGap = "  ";

// A title may hold tabs or line breaks; in a table they would break its lines.
std::string OnOneLine(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    return text;
}

// RFC 4180: a field with a comma, quote or line break is quoted, its quotes doubled.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace

bool TakesTwoConsoleCells(char32_t c) {
    static constexpr char32_t kWide[][2] = {
        {0x1100, 0x115F}, {0x2E80, 0x303E}, {0x3041, 0x33FF}, {0x3400, 0x4DBF}, {0x4E00, 0x9FFF},
        {0xA000, 0xA4CF}, {0xAC00, 0xD7A3}, {0xF900, 0xFAFF}, {0xFE30, 0xFE4F}, {0xFF00, 0xFF60},
        {0xFFE0, 0xFFE6}, {0x1F300, 0x1F64F}, {0x1F680, 0x1F6FF}, {0x1F900, 0x1F9FF}, {0x20000, 0x3FFFD}};
    for (const auto& range : kWide)
        if (c >= range[0] && c <= range[1]) return true;
    return false;
}

namespace {

std::size_t ConsoleCells(const std::string& text) {
    std::size_t cells = 0;
    for (std::size_t at = 0; at < text.size(); at += CharacterSize(text, at)) cells += TakesTwoConsoleCells(CodePointAt(text, at)) ? 2 : 1;
    return cells;
}

}  // namespace

TField TField::Number(std::int64_t value) {
    TField field;
    field.kind_ = Kind::Number;
    field.number_ = value;
    field.text_ = std::to_string(value);
    return field;
}

TField TField::Address(std::uint64_t value) {
    TField field;
    field.kind_ = Kind::Address;
    field.text_ = "0x" + Hex(value, 8);
    return field;
}

TField TField::Text(std::string text) {
    TField field;
    field.kind_ = Kind::Text;
    field.text_ = std::move(text);
    return field;
}

TField TField::Names(std::vector<std::string> names) {
    TField field;
    field.kind_ = Kind::Names;
    for (const std::string& name : names) field.text_ += (field.text_.empty() ? "" : "|") + name;
    field.names_ = std::move(names);
    return field;
}

std::string TField::Shown() const { return text_; }

void TRecordTable::Add(std::vector<TField> record) {
    if (record.size() != columns_.size()) throw std::invalid_argument("record does not match the columns");
    records_.push_back(std::move(record));
}

std::string TRecordTable::Write(TOutputFormat format, bool singleObject) const {
    switch (format) {
    case TOutputFormat::Csv: return WriteCsv();
    case TOutputFormat::Json: return WriteJson(singleObject);
    case TOutputFormat::Table: break;
    }
    return WriteTable();
}

// Widths count the cells a console gives each character: two for East Asian wide ones.
std::string TRecordTable::WriteTable() const {
    std::vector<std::vector<std::string>> cells;
    cells.push_back(columns_);
    for (const auto& record : records_) {
        std::vector<std::string> line;
        for (const TField& field : record) line.push_back(OnOneLine(field.Shown()));
        cells.push_back(std::move(line));
    }
    std::vector<std::size_t> widths(columns_.size(), 0);
    for (const auto& line : cells)
        for (std::size_t c = 0; c < line.size(); ++c) widths[c] = std::max(widths[c], ConsoleCells(line[c]));

    std::string table;
    for (std::size_t row = 0; row < cells.size(); ++row) {
        std::string line;
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            const std::string& cell = cells[row][c];
            const std::string padding(widths[c] - ConsoleCells(cell), ' ');
            const bool rightAligned = row > 0 && records_[row - 1][c].kind() == TField::Kind::Number;
            if (c > 0) line += kColumnGap;
            line += rightAligned ? padding + cell : cell + padding;
        }
        line.erase(line.find_last_not_of(' ') + 1);
        table += line + "\n";
    }
    return table;
}

std::string TRecordTable::WriteCsv() const {
    std::string csv;
    auto addLine = [&csv](const std::vector<std::string>& fields) {
        for (std::size_t c = 0; c < fields.size(); ++c) csv += (c > 0 ? "," : "") + CsvField(fields[c]);
        csv += "\r\n";
    };
    addLine(columns_);
    for (const auto& record : records_) {
        std::vector<std::string> fields;
        for (const TField& field : record) fields.push_back(field.Shown());
        addLine(fields);
    }
    return csv;
}

std::string TRecordTable::WriteJson(bool singleObject) const {
    nlohmann::ordered_json array = nlohmann::ordered_json::array();
    for (const auto& record : records_) {
        nlohmann::ordered_json object = nlohmann::ordered_json::object();
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            const TField& field = record[c];
            nlohmann::ordered_json& value = object[columns_[c]];
            switch (field.kind()) {
            case TField::Kind::Number: value = field.number(); break;
            case TField::Kind::Names:
                value = nlohmann::ordered_json::array();
                for (const std::string& name : field.names()) value.push_back(name);
                break;
            case TField::Kind::Address:
            case TField::Kind::Text: value = field.Shown(); break;
            }
        }
        array.push_back(std::move(object));
    }
    const nlohmann::ordered_json& output = singleObject && array.size() == 1 ? array[0] : array;
    // Texts are UTF-8 as read; should one not be, its bad bytes show as U+FFFD rather than end the output.
    return output.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}
