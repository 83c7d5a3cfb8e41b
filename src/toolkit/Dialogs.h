// MessageDlg: the toolkit's modal message dialogs (confirmation, error, ...). The dialog is
// owned by the program's active window, which stays disabled while it shows; its loop goes
// on handling timer ticks and every other message of the program.
#pragma once

#include <string>

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// A set of buttons: any combination of the mb... flags.
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8, mbAbort = 16, mbRetry = 32, mbIgnore = 64;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;

// What a dialog answers: the button chosen; mrCancel also when it was closed by its frame.
constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7;

// Shows text (any of CR LF, LF CR, CR or LF breaks a line) with the kind's
// caption ("Confirm", "Error", "Warning", "Information"; the application's title for
// mtCustom) and icon, and the buttons in the order Yes, No, OK, Cancel, Abort, Retry,
// Ignore (an empty set shows OK). Enter presses the focused button, at first the default
// one (OK, else Yes, else the first); Escape presses Cancel, else No, else OK, and does
// nothing without any of them. helpContext is accepted and unused: there is no help file.
int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext);
