// The modal message dialogs, answered as a user would: caption, buttons and text of each
// kind, the result of each way of answering, and timers going on through the dialog's loop.
#include <atomic>

#include "support/DialogAnswerer.h"
#include "support/TestWindows.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Form.h"

namespace {

// Each dialog is answered only after three timer ticks have arrived while it was open.
TEST(Dialogs, EachKindShowsItsCaptionButtonsAndTextOnlyYesConfirmsAndTimersTickMeanwhile) {
    TApplication application;
    application.Initialize();
    TForm form(nullptr);
    form.SetBounds(60, 60, 300, 200);
    form.Show();
    ::SetForegroundWindow(form.Handle());
    const std::string text = "Process: --> Editor\n\r\n\rTerminateProcess kann das System \n\rführen. Sicher?";
    const struct {
        TMsgDlgType type;
        const char* answer;
        int result;
    } cases[] = {{mtConfirmation, "&Yes", mrYes},   {mtConfirmation, DialogAnswerer::kEnter, mrYes},
                 {mtConfirmation, "&No", mrNo},     {mtConfirmation, DialogAnswerer::kEscape, mrNo},
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
        EXPECT_GE(ticks, 3);
        EXPECT_EQ(seen.Text(), text);
        EXPECT_EQ(seen.Buttons(), confirmation ? (std::vector<std::string>{"&Yes", "&No"}) : std::vector<std::string>{"OK"});
    }
    timer.SetEnabled(false);
    allTicks = 0;
    ::Sleep(50);
    application.ProcessMessages();
    EXPECT_EQ(allTicks, 0);
}

}  // namespace
