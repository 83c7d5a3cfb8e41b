// The modal message dialogs, answered as a user would: captions and buttons of each kind,
// every way of answering, the owner kept disabled, the text as given, timers going on.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "support/DialogAnswerer.h"
#include "toolkit/Application.h"
#include "toolkit/BitBtn.h"
#include "toolkit/Dialogs.h"

namespace {

using Answer = DialogAnswerer::Answer;

class TopLevel : public TWinControl {
public:
    using TWinControl::TWinControl;

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.Style = (params.Style & ~WS_CHILD) | WS_OVERLAPPEDWINDOW;
    }
};

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        application.Initialize();
        form.SetBounds(60, 60, 300, 200);
        ASSERT_NE(form.Handle(), nullptr);
        ::ShowWindow(form.Handle(), SW_SHOW);
        ::SetForegroundWindow(form.Handle());
        ::SetActiveWindow(form.Handle());
    }

    // Opens the dialog, has it answered, and returns what it gave back.
    int Ask(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, const Answer& answer,
            DialogAnswerer** seen = nullptr) {
        answerer_ = std::make_unique<DialogAnswerer>(type == mtError ? "Error" : "Confirm", answer);
        const int result = MessageDlg(text, type, buttons, 0);
        EXPECT_TRUE(answerer_->Finish()) << answerer_->Failure();
        if (seen) *seen = answerer_.get();
        return result;
    }

    TApplication application;
    TopLevel form{nullptr};
    std::unique_ptr<DialogAnswerer> answerer_;
};

TEST_F(DialogsTest, ConfirmationOnlyAnswersYesWhenYesIsChosen) {
    DialogAnswerer* seen = nullptr;
    EXPECT_EQ(Ask("Sure?", mtConfirmation, mbYes | mbNo, DialogAnswerer::Press("&Yes"), &seen), mrYes);
    EXPECT_EQ(seen->Caption(), "Confirm");
    EXPECT_EQ(seen->Buttons(), (std::vector<std::string>{"&Yes", "&No"}));
    EXPECT_EQ(seen->DefaultButton(), "&Yes");
    EXPECT_EQ(seen->Text(), "Sure?");

    EXPECT_EQ(Ask("Sure?", mtConfirmation, mbYes | mbNo, DialogAnswerer::Press("&No")), mrNo);
    EXPECT_EQ(Ask("Sure?", mtConfirmation, mbYes | mbNo, DialogAnswerer::PressEnter()), mrYes);  // the default
    EXPECT_EQ(Ask("Sure?", mtConfirmation, mbYes | mbNo, DialogAnswerer::PressEscape()), mrNo);
    EXPECT_EQ(Ask("Sure?", mtConfirmation, mbYes | mbNo, DialogAnswerer::CloseByBox()), mrCancel);
    EXPECT_EQ(Ask("Sure?", mtConfirmation, mbYes | mbNo, DialogAnswerer::CloseByAltF4()), mrCancel);
}

TEST_F(DialogsTest, ErrorDialogHasTheSingleButtonOk) {
    DialogAnswerer* seen = nullptr;
    EXPECT_EQ(Ask("Couldn't free selected module!", mtError, mbOK, DialogAnswerer::Press("OK"), &seen), mrOk);
    EXPECT_EQ(seen->Caption(), "Error");
    EXPECT_EQ(seen->Buttons(), std::vector<std::string>{"OK"});
    EXPECT_EQ(seen->Text(), "Couldn't free selected module!");
    EXPECT_EQ(Ask("x", mtError, mbOK, DialogAnswerer::PressEnter()), mrOk);
    EXPECT_EQ(Ask("x", mtError, mbOK, DialogAnswerer::PressEscape()), mrOk);
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
    DialogAnswerer* seen = nullptr;
    Ask("Sure?", mtConfirmation, mbYes | mbNo, DialogAnswerer::Press("&No"), &seen);
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
    DialogAnswerer* seen = nullptr;
    Ask(warning, mtConfirmation, mbYes | mbNo, DialogAnswerer::Press("&No"), &seen);
    EXPECT_EQ(seen->Text(), warning);

    // The text area grows by one line per break: LF CR, CR LF, a lone LF or CR is one break.
    auto heightOf = [&](const std::string& text) {
        Ask(text, mtError, mbOK, DialogAnswerer::Press("OK"), &seen);
        return seen->TextSize().cy;
    };
    const int line = heightOf("one");
    ASSERT_GT(line, 0);
    EXPECT_EQ(heightOf("one\n\rtwo"), 2 * line);
    EXPECT_EQ(heightOf("one\r\ntwo"), 2 * line);
    EXPECT_EQ(heightOf("one\ntwo\rthree"), 3 * line);
    EXPECT_EQ(heightOf("one\n\r\n\rtwo"), 3 * line);
    // and it is as wide as its longest line
    Ask("i", mtError, mbOK, DialogAnswerer::Press("OK"), &seen);
    const int narrow = seen->TextSize().cx;
    Ask("i\n\rwwwwwwwwwwwwwwwwwwww\n\ri", mtError, mbOK, DialogAnswerer::Press("OK"), &seen);
    EXPECT_GT(seen->TextSize().cx, narrow + 100);
}

TEST_F(DialogsTest, TimerTicksGoOnWhileADialogIsOpen) {
    std::atomic<int> ticksDuringDialog{0};
    TTimer timer(nullptr);
    timer.SetInterval(10);
    // The dialog is answered only after three ticks have arrived while it is open.
    DialogAnswerer answerer("Confirm", DialogAnswerer::Press("&No"), [&] { return ticksDuringDialog >= 3; });
    timer.OnTimer = [&](TObject*) {
        if (answerer.Found()) ++ticksDuringDialog;
    };
    timer.SetEnabled(false);
    timer.SetEnabled(true);
    EXPECT_EQ(MessageDlg("Sure?", mtConfirmation, mbYes | mbNo, 0), mrNo);
    EXPECT_TRUE(answerer.Finish()) << answerer.Failure();
    EXPECT_GE(ticksDuringDialog, 3);
}

}  // namespace
