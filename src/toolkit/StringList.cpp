// TStringList: position checks, sorted insertion by binary search, record ownership.
#include "toolkit/StringList.h"

#include <cstdio>

namespace {
std::string IndexMessage(int index) {
    char text[64];
    std::snprintf(text, sizeof text, "List index out of bounds (%d)", index);
    return text;
}
}  // namespace

EStringListError::EStringListError(int index) : std::out_of_range(IndexMessage(index)), Index(index) {}

TStringList::TStringList(Comparer compare) : compare_(std::move(compare)) {}

TStringList::TStringList(Comparer compare, TieOrder tieOrder)
    : compare_(std::move(compare)), tieOrder_(std::move(tieOrder)) {}

void TStringList::Check(int index) const {
    if (index < 0 || index >= Count()) throw EStringListError(index);
}

const std::string& TStringList::Strings(int index) const {
    Check(index);
    return entries_[static_cast<size_t>(index)].text;
}

TObject* TStringList::Objects(int index) const {
    Check(index);
    return entries_[static_cast<size_t>(index)].record.get();
}

int TStringList::Find(const std::string& text, bool& found) const {
    int low = 0, high = Count() - 1;
    found = false;
    while (low <= high) {
        const int middle = low + (high - low) / 2;
        const int order = compare_(entries_[static_cast<size_t>(middle)].text, text);
        if (order < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (order == 0) found = true;  // keep going left: the first equal entry
        }
    }
    return low;
}

int TStringList::FindAfter(const std::string& text, const TObject& record) const {
    int low = 0, high = Count() - 1;
    while (low <= high) {
        const int middle = low + (high - low) / 2;
        const Entry& entry = entries_[static_cast<size_t>(middle)];
        const int order = compare_(entry.text, text);
        if (order < 0 || (order == 0 && tieOrder_(*entry.record, record)))
            low = middle + 1;
        else
            high = middle - 1;
    }
    return low;
}

int TStringList::AddObject(std::string text, std::unique_ptr<TObject> record) {
    if (!Sorted()) {
        entries_.push_back({std::move(text), std::move(record)});
        return Count() - 1;
    }
    if (tieOrder_) {
        const int at = FindAfter(text, *record);
        entries_.insert(entries_.begin() + at, Entry{std::move(text), std::move(record)});
        return at;
    }
    bool found = false;
    const int at = Find(text, found);
    if (found) {
        // The entry keeps its text; the record it held is released here.
        entries_[static_cast<size_t>(at)].record = std::move(record);
        return at;
    }
    entries_.insert(entries_.begin() + at, Entry{std::move(text), std::move(record)});
    return at;
}

int TStringList::IndexOf(const std::string& text) const {
    if (Sorted()) {
        bool found = false;
        const int at = Find(text, found);
        return found ? at : -1;
    }
    for (int i = 0; i < Count(); ++i)
        if (entries_[static_cast<size_t>(i)].text == text) return i;
    return -1;
}

void TStringList::Clear() { entries_.clear(); }
