// TStringList: texts, each with one owned record, addressed by position 0 to Count - 1.
// Unsorted lists keep the order of appending; sorted lists keep their comparer's order.
// A sorted list with a tie order keeps every entry, equal texts in the tie order of their
// records; one without replaces the record of an entry whose text equals the one added.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/Component.h"

// The list's index error: "List index out of bounds (%d)".
class EStringListError : public std::out_of_range {
public:
    explicit EStringListError(int index);
    int Index;
};

class TStringList {
public:
    // Three-way comparison of two texts: negative, zero (equal) or positive.
    using Comparer = std::function<int(const std::string&, const std::string&)>;

    // Whether record a comes before record b among entries with equal texts.
    using TieOrder = std::function<bool(const TObject& a, const TObject& b)>;

    TStringList() = default;                 // unsorted
    explicit TStringList(Comparer compare);  // sorted by compare, one entry per text
    TStringList(Comparer compare, TieOrder tieOrder);  // sorted by compare, then by tieOrder
    TStringList(const TStringList&) = delete;
    TStringList& operator=(const TStringList&) = delete;

    int Count() const { return static_cast<int>(entries_.size()); }
    bool Sorted() const { return static_cast<bool>(compare_); }

    const std::string& Strings(int index) const;
    TObject* Objects(int index) const;  // borrowed; the list owns it

    // Unsorted: appends. Sorted with a tie order: inserts after every entry that comes
    // before it. Sorted without: inserts at the sorted place, or, when an equal text is
    // there already, keeps that entry's text and position, gives it the new record and
    // releases the old one. Returns the entry's position.
    int AddObject(std::string text, std::unique_ptr<TObject> record);

    // Position of an entry whose text compares equal, or -1 (sorted lists: binary search).
    int IndexOf(const std::string& text) const;

    void Clear();  // releases every record

private:
    struct Entry {
        std::string text;
        std::unique_ptr<TObject> record;
    };
    void Check(int index) const;
    // Sorted lists: the first position whose text is not less than text; found tells equality.
    int Find(const std::string& text, bool& found) const;
    // Sorted lists with a tie order: the position after the last entry that comes before
    // text with record.
    int FindAfter(const std::string& text, const TObject& record) const;

    std::vector<Entry> entries_;
    Comparer compare_;
    TieOrder tieOrder_;
};
