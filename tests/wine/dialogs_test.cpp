// The modal message dialogs, answered as a user would: captions and buttons of each kind,
// every way of answering, the owner kept disabled, the text as given, timers going on
// through the dialog's loop and the application's.
#include <atomic>

#include "support/DialogAnswerer.h"
#include "support/TestWindows.h"
#include "toolkit/BitBtn.h"
#include "toolkit/Dialogs.h"

namespace {

using Answerer = DialogAnswerer;

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        application.Initialize();
        form.ShowInFront(60, 60, 300, 200);
    }

    // Opens the dialog, has it answered, and returns what it gave back; seen is what it showed.
    int Ask(const std::string& text, TMsgDlgType type, const Answerer::Answer& answer) {
        seen = std::make_unique<Answerer>(type == mtError ? "Error" : "Confirm", answer);
        const int result = MessageDlg(text, type, type == mtError ? mbOK : mbYes | mbNo, 0);
        EXPECT_TRUE(seen->Finish()) << seen->Failure();
        return result;
    }

    TApplication application;
    TopLevel form{nullptr};
    std::unique_ptr<Answerer> seen;
};

TEST_F(DialogsTest, EachKindHasItsCaptionAndButtonsAndEveryWayOfAnsweringGivesItsResult) {
    EXPECT_EQ(Ask("Sure?", mtConfirmation, Answerer::Press("&Yes")), mrYes);
    EXPECT_EQ(seen->Caption(), "Confirm");
    EXPECT_EQ(seen->Buttons(), (std::vector<std::string>{"&Yes", "&No"}));
    EXPECT_EQ(seen->DefaultButton(), "&Yes");
    EXPECT_EQ(seen->Text(), "Sure?");
    EXPECT_EQ(Ask("Couldn't free selected module!", mtError, Answerer::Press("OK")), mrOk);
    EXPECT_EQ(seen->Caption(), "Error");
    EXPECT_EQ(seen->Buttons(), std::vector<std::string>{"OK"});

    // Only Yes, chosen or as the default, confirms.
    const struct {
        TMsgDlgType type;
        Answerer::Answer answer;
        int result;
    } cases[] = {{mtConfirmation, Answerer::Press("&No"), mrNo},     {mtConfirmation, Answerer::PressEnter(), mrYes},
                 {mtConfirmation, Answerer::PressEscape(), mrNo},    {mtConfirmation, Answerer::CloseByBox(), mrCancel},
                 {mtConfirmation, Answerer::CloseByAltF4(), mrCancel}, {mtError, Answerer::PressEnter(), mrOk},
                 {mtError, Answerer::PressEscape(), mrOk}};
    for (const auto& c : cases)
        EXPECT_EQ(Ask("x", c.type, c.answer), c.result) << static_cast<int>(c.answer.way) << " " << c.type;
}

TEST_F(DialogsTest, DialogIsOwnedByTheActiveWindowWhichStaysDisabledUntilTheAnswer) {
    TBitBtn button(nullptr);
    button.SetBounds(10, 10, 75, 25);
    button.SetParent(&form);
    // Another test program may take the foreground, and the focus with it, at any time.
    for (int attempt = 0; attempt < 10 && !button.Focused(); ++attempt) {
        ::SetForegroundWindow(form.Handle());
        button.SetFocus();
    }
    ASSERT_EQ(::GetActiveWindow(), form.Handle());
    Ask("Sure?", mtConfirmation, Answerer::Press("&No"));
    EXPECT_EQ(seen->Owner(), form.Handle());
    EXPECT_FALSE(seen->OwnerWasEnabled());
    EXPECT_TRUE(::IsWindowEnabled(form.Handle()));
    EXPECT_EQ(::GetActiveWindow(), form.Handle());
    EXPECT_TRUE(button.Focused());  // the focus is back where it was
}

TEST_F(DialogsTest, TextKeepsItsBytesAndBreaksLinesAtEachPairOfLineFeedAndCarriageReturn) {
    const std::string warning =
        "Process: --> Editor\n\r\n\rTerminateProcess kann das System in einen instabilen Zustand \n\r"
        "f\xFChren. Sie sollten dies nur tun, wenn Sie sich v\xF6llig sicher\n\rsind! Sind Sie sicher?";
    Ask(warning, mtConfirmation, Answerer::Press("&No"));
    EXPECT_EQ(seen->Text(), warning);

    // The text area grows by one line per break: LF CR, CR LF, a lone LF or CR is one break;
    // and it is as wide as its longest line.
    auto sizeOf = [&](const std::string& text) {
        Ask(text, mtError, Answerer::Press("OK"));
        return seen->TextSize();
    };
    const SIZE one = sizeOf("i");
    const int line = one.cy;
    ASSERT_GT(line, 0);
    EXPECT_EQ(sizeOf("one\n\rtwo").cy, 2 * line);
    EXPECT_EQ(sizeOf("one\r\ntwo").cy, 2 * line);
    EXPECT_EQ(sizeOf("one\ntwo\rthree").cy, 3 * line);
    EXPECT_EQ(sizeOf("one\n\r\n\rtwo").cy, 3 * line);
    EXPECT_GT(sizeOf("i\n\rwwwwwwwwwwwwwwwwwwww\n\ri").cx, one.cx + 100);
}

TEST_F(DialogsTest, TimerTicksGoOnWhileADialogIsOpenAndEndWhenTheTimerStops) {
    std::atomic<int> ticksDuringDialog{0};
    TTimer timer(nullptr);
    timer.SetInterval(10);
    // The dialog is answered only after three ticks have arrived while it is open.
    Answerer answerer("Confirm", Answerer::Press("&No"), [&] { return ticksDuringDialog >= 3; });
    timer.OnTimer = [&](TObject*) { ticksDuringDialog += answerer.Found(); };
    timer.SetEnabled(false);
    timer.SetEnabled(true);
    EXPECT_EQ(MessageDlg("Sure?", mtConfirmation, mbYes | mbNo, 0), mrNo);
    EXPECT_TRUE(answerer.Finish()) << answerer.Failure();
    EXPECT_GE(ticksDuringDialog, 3);
    timer.SetEnabled(false);
    const int stopped = ticksDuringDialog;
    ::Sleep(50);
    application.ProcessMessages();
    EXPECT_EQ(ticksDuringDialog, stopped);
}

}  // namespace
