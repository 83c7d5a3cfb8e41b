// The modal message dialogs, answered as a user would: caption, buttons and text of each
// kind, the result of each way of answering, timers going on through the dialog's loop, and
// the characters its text shows.
#include <atomic>

#include "support/DialogAnswerer.h"
#include "support/TestWindows.h"
#include "toolkit/DialogText.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Form.h"

namespace {

// Each dialog is answered only after three timer ticks have arrived while it was open.
TEST(Dialogs, EachKindShowsItsCaptionButtonsAndTextOnlyYesConfirmsAndTimersTickMeanwhile) {
    TApplication application;
    application.Initialize();
    TForm form(nullptr);
    form.SetBounds(60, 60, 300, 200), form.Show(), ::SetForegroundWindow(form.Handle());
    const std::string text = "Process: --> Editor\n\r\n\rTerminateProcess kann das System \n\rführen. Sicher?";
    const struct {
        TMsgDlgType type;
        const char* answer;
        int result;
    } cases[] = {{mtConfirmation, "&Yes", mrYes},   {mtConfirmation, DialogAnswerer::kEnter, mrYes},
                 {mtConfirmation, "&No", mrNo},     {mtConfirmation, DialogAnswerer::kEscape, mrNo},
                 {mtConfirmation, DialogAnswerer::kTabEnter, mrNo},  // Enter presses the focused button
                 {mtConfirmation, DialogAnswerer::kCloseBox, mrCancel}, {mtError, "OK", mrOk},
                 {mtError, DialogAnswerer::kEscape, mrOk}};
    std::atomic<int> ticks{0}, allTicks{0};
    const DialogAnswerer* open = nullptr;  // the dialog being answered
    TTimer timer(nullptr);
    timer.OnTimer = [&](TObject*) {
        ++allTicks;
        ticks += open && open->Found();
    };
    timer.SetInterval(10);
    for (const auto& c : cases) {
        const bool confirmation = c.type == mtConfirmation;
        ticks = 0;
        DialogAnswerer seen(confirmation ? "Confirm" : "Error", c.answer, [&] { return ticks >= 3; });
        open = &seen;
        EXPECT_EQ(MessageDlg(text, c.type, confirmation ? mbYes | mbNo : mbOK, 0), c.result)
            << c.answer << " " << c.type;
        ASSERT_TRUE(seen.Finish()) << seen.Failure();
        open = nullptr;
        EXPECT_TRUE(ticks >= 3 && seen.Text() == text) << seen.Text();
        EXPECT_EQ(seen.Buttons(), confirmation ? (std::vector<std::string>{"&Yes", "&No"}) : std::vector<std::string>{"OK"});
    }
    timer.SetEnabled(false), allTicks = 0, ::Sleep(50), application.ProcessMessages();
    EXPECT_EQ(allTicks, 0);
}

// Every character of a message, from each length of UTF-8 sequence, shows as the system's own
// UTF-8 conversion makes it.
TEST(Dialogs, EachCharacterOfTheTextShowsAsTheSystemConvertsIt) {
    std::string text;
    for (int byte = 1; byte < 128; ++byte) text += static_cast<char>(byte == '\r' || byte == '\n' ? ' ' : byte);
    text += "\u00E9\u00FC\u20AC\u0416\u6771\uFFFD\U0001F600\U00010348";
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                               wide.data(), static_cast<int>(wide.size()))));
    EXPECT_EQ(DialogDisplayText(text), wide);
}

}  // namespace
