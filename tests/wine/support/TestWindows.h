// Helpers for the tests against real windows: user input (real clicks, posted keys and clicks),
// the message loop run until something happened, plain windows of the test's own, what lists
// and labels show, and the clipboard's text.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"

// Real pointer input through the system's input queue: the pointer moved to a point of the
// screen, with the button events of flags (MOUSEEVENTF_LEFTDOWN, ...) there.
void SendPointer(POINT screen, DWORD flags = 0);
// A real click at a point of window's client area. Each event carries its position: another
// program may move the pointer in between.
void Click(HWND window, POINT point, bool right = false);
// A key pressed and released, as posted messages with the key's scan code (any thread may post).
void PostKey(HWND window, WORD key);
// A key pressed with Ctrl held (in this thread's key state), handled before it returns.
void PressWithCtrl(TApplication& application, HWND window, WORD key);
// Handles messages until done() holds (or a generous time-out, so that a fault cannot hang).
void PumpUntil(TApplication& application, const std::function<bool()>& done);
// Handles every message posted so far: they keep their order, so a marker posted now comes
// after them.
void Settle(TApplication& application);

// A click on a list's line (scrolled into view) posted as the system posts one, so that another
// program on the display cannot take it; a left click is handled before it returns.
void ClickLine(TApplication& application, TListBox& list, int line, bool right = false);

// What a list (of strings or on screen) and labels show; the first line of a list box that
// reads text (in any letter case), or -1.
using Lines = std::vector<std::string>;
template <class List>
Lines LinesOf(const List& list) {
    Lines lines;
    for (int k = 0; k < list.Count(); ++k) lines.push_back(list.Strings(k));
    return lines;
}
Lines Captions(std::initializer_list<const TLabel*> labels);
int LineOf(const TListBox& list, const std::string& text);
// A line as the list box itself holds it, read with the wide message.
std::string ShownLine(TListBox& list, int line);
// Lines as Ctrl+C copies them: each ended by CR LF.
std::string Copied(const Lines& lines);

// A plain window of the test's own class (kPlainWindowClass), destroyed with its owner object.
constexpr const char* kPlainWindowClass = "VelqornsTestWindow";
using Window = std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&::DestroyWindow)>;
Window MakeWindow(const char* title, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, HWND owner = nullptr);

// The top-level window of a class and title, waited for (a program opens it late); nullptr if
// none comes within ten seconds.
HWND WaitForWindow(const char* className, const std::string& title);

// The clipboard's Unicode text (CF_UNICODETEXT), as UTF-8.
std::string ClipboardText();
