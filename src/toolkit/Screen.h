// The table of screen cursors: a control whose Cursor is not crDefault shows the cursor
// registered under that index (the program registers its own, such as the link's hand).
#pragma once

#include <windows.h>

namespace Screen {
void SetCursor(int index, HCURSOR cursor);  // the cursor is shared: the table never destroys it
HCURSOR Cursor(int index);  // nullptr when there is no entry (the arrow shows)
}  // namespace Screen
