// The system clipboard, for text: what a page copies goes on it as CF_UNICODETEXT, every
// character as it is; Windows converts it for a program that asks for CF_TEXT.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/Control.h"

// Replaces the clipboard's contents with text (UTF-8), owned by window, which must be
// given (Windows takes no data for a clipboard emptied without an owner); false when there is
// none, when the clipboard could not be taken (another program holding it) or the memory not had.
bool SetClipboardText(HWND window, const std::string& text);
// SetClipboardText for the copy key: when the text could not be put there, an error message
// says so, instead of leaving the user to paste what the clipboard held before.
void CopyToClipboard(HWND window, const std::string& text);

// Ctrl+C, the copy key, with no other shift key held.
inline bool IsCopyKey(WORD key, TShiftState shift) { return key == 'C' && shift == ssCtrl; }
