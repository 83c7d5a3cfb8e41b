// TRecordTable: records of named fields written as an aligned table for people, as CSV
// (RFC 4180) or as JSON for programs. Texts are UTF-8, in and out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class TOutputFormat { Table, Csv, Json };

// A console gives an East Asian wide or fullwidth character two cells, every other one.
bool TakesTwoConsoleCells(char32_t character);

class TField {
public:
    enum class Kind { Number, Address, Text, Names };

    static TField Number(std::int64_t value);
    // A handle or address: "0x" and upper-case hex digits, at least 8.
    static TField Address(std::uint64_t value);
    static TField Text(std::string text);
    // Several names: a JSON array; joined by "|" in a table or CSV.
    static TField Names(std::vector<std::string> names);

    Kind kind() const { return kind_; }
    std::int64_t number() const { return number_; }
    // The field as one text, as a table or CSV shows it.
    std::string Shown() const;
    const std::vector<std::string>& names() const { return names_; }

private:
    Kind kind_ = Kind::Text;
    std::int64_t number_ = 0;
    std::string text_;
    std::vector<std::string> names_;
};

class TRecordTable {
public:
    explicit TRecordTable(std::vector<std::string> columns) : columns_(std::move(columns)) {}

    // One field per column, in the columns' order; anything else throws std::invalid_argument.
    void Add(std::vector<TField> record);
    int Count() const { return static_cast<int>(records_.size()); }

    // The whole output, UTF-8, ending in a line end. JSON is an array of objects, or the
    // one record's object alone when singleObject is set.
    std::string Write(TOutputFormat format, bool singleObject = false) const;

private:
    std::string WriteTable() const;
    std::string WriteCsv() const;
    std::string WriteJson(bool singleObject) const;

    std::vector<std::string> columns_;
    std::vector<std::vector<TField>> records_;
};
