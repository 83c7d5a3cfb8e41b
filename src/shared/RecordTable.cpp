// TRecordTable: the three writers. JSON goes through nlohmann/json, which escapes texts.
#include "shared/RecordTable.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <stdexcept>

#include "shared/NumberFormat.h"
#include "shared/Windows1252.h"

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

// Widths count Windows-1252 characters, one byte each, before the text becomes UTF-8.
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
        for (std::size_t c = 0; c < line.size(); ++c) widths[c] = std::max(widths[c], line[c].size());

    std::string table;
    for (std::size_t row = 0; row < cells.size(); ++row) {
        std::string line;
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            const std::string& cell = cells[row][c];
            const std::string padding(widths[c] - cell.size(), ' ');
            const bool rightAligned = row > 0 && records_[row - 1][c].kind() == TField::Kind::Number;
            if (c > 0) line += kColumnGap;
            line += rightAligned ? padding + cell : cell + padding;
        }
        line.erase(line.find_last_not_of(' ') + 1);
        table += Utf8From1252(line) + "\n";
    }
    return table;
}

std::string TRecordTable::WriteCsv() const {
    std::string csv;
    auto addLine = [&csv](const std::vector<std::string>& fields) {
        for (std::size_t c = 0; c < fields.size(); ++c) csv += (c > 0 ? "," : "") + CsvField(Utf8From1252(fields[c]));
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
                for (const std::string& name : field.names()) value.push_back(Utf8From1252(name));
                break;
            case TField::Kind::Address:
            case TField::Kind::Text: value = Utf8From1252(field.Shown()); break;
            }
        }
        array.push_back(std::move(object));
    }
    const nlohmann::ordered_json& output = singleObject && array.size() == 1 ? array[0] : array;
    return output.dump(2) + "\n";
}
