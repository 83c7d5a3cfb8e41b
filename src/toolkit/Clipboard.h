// The system clipboard, for text: what a page copies goes on it both as CF_TEXT and as
// CF_UNICODETEXT, so that every program reads the same characters.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/Control.h"

// Replaces the clipboard's contents with text (Windows-1252), owned by window, which must be
// given (Windows takes no data for a clipboard emptied without an owner); false when there is
// none, when the clipboard could not be taken (another program holding it) or the memory not had.
bool SetClipboardText(HWND window, const std::string& text);

// Ctrl+C, the copy key, with no other shift key held.
inline bool IsCopyKey(WORD key, TShiftState shift) { return key == 'C' && shift == ssCtrl; }
