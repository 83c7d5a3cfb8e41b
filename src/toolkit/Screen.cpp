// The table of screen cursors, by index.
#include "toolkit/Screen.h"

#include <map>

namespace {

std::map<int, HCURSOR>& CursorTable() {
    static std::map<int, HCURSOR> table;
    return table;
}

}  // namespace

void Screen::SetCursor(int index, HCURSOR cursor) { CursorTable()[index] = cursor; }

HCURSOR Screen::Cursor(int index) {
    auto found = CursorTable().find(index);
    return found == CursorTable().end() ? nullptr : found->second;
}
