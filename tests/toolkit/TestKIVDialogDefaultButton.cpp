// The default push button: drawn with a dark outline, handed to the focused
// push button while one has the focus, pressed by Enter when no push button
// has the focus, and never pressed while it is disabled or hidden.
#include "ButtonFixture.h"
#include "toolkit/controls/KIVTextButtonCtrl.h"

using namespace dialog_test;

namespace {

// Logs OnOK as "OK " besides the notifications.
class EnterDialog : public LogDialog {
public:
    EnterDialog() : LogDialog(200) {}
    void OnOK() override { log += "OK "; }
};

// Marks a default button as it initialises.
class StartDialog : public LogDialog {
public:
    explicit StartDialog(LONG defaultId) : LogDialog(200), defaultId_(defaultId) {}
    void OnInitControls() override { SetDefaultButton(defaultId_); }

private:
    LONG defaultId_;
};

class DefaultButtonTest : public DialogTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0));
        SetActiveWindow(dialog);
        dialog.GetControl(102)->Enable(true);
        Pump();
    }
    // The top edge of a button, where the default outline runs.
    DWORD TopEdge(LONG id) const {
        const RECT& rect = dialog.GetControl(id)->GetRect();
        return dialog.PixelAt((rect.left + rect.right) / 2, rect.top);
    }
    void Enter() {
        KeyStroke(VK_RETURN);
        Pump();
    }
    EnterDialog dialog;
};

} // namespace

TEST_F(DefaultButtonTest, TheOutlineMovesToTheFocusedPushButtonAndBack) {
    EXPECT_NE(TopEdge(101), KIVLook::kInk) << "no default yet";
    dialog.SetDefaultButton(101);
    Pump();
    EXPECT_EQ(TopEdge(101), KIVLook::kInk);
    EXPECT_NE(TopEdge(102), KIVLook::kInk);
    dialog.SetFocusControl(102);
    Pump();
    EXPECT_NE(TopEdge(101), KIVLook::kInk);
    EXPECT_EQ(TopEdge(102), KIVLook::kInk);
    // A radio button's focus gives the outline back to the default.
    dialog.GetControl(111)->SetFocus();
    Pump();
    EXPECT_EQ(TopEdge(101), KIVLook::kInk);
    EXPECT_NE(TopEdge(102), KIVLook::kInk);
    // 103 is a toggle button: not a push button, never drawn as the default.
    dialog.SetFocusControl(103);
    Pump();
    EXPECT_EQ(TopEdge(101), KIVLook::kInk);
}

TEST_F(DefaultButtonTest, EnterPressesTheFocusedPushButtonElseTheDefaultOne) {
    dialog.SetDefaultButton(101);
    dialog.SetFocusControl(102);
    Enter();
    EXPECT_EQ(dialog.log, "N1:102 ");
    dialog.log.clear();
    dialog.GetControl(111)->SetFocus();
    Enter();
    EXPECT_EQ(dialog.log, "N1:101 ");
    dialog.log.clear();
    dialog.SetFocusControl(103);
    Enter();
    EXPECT_EQ(dialog.log, "N1:101 ") << "a toggle button is not pressed by Enter";
}

TEST_F(DefaultButtonTest, EnterDoesNothingWhileTheDefaultCannotBePressed) {
    dialog.SetDefaultButton(101);
    dialog.GetControl(101)->Enable(false);
    Enter();
    dialog.GetControl(101)->Enable(true);
    dialog.GetControl(101)->Show(false);
    Enter();
    EXPECT_EQ(dialog.log, "");
    // Without a default button Enter is the dialog's OK.
    dialog.SetDefaultButton(0);
    Enter();
    EXPECT_EQ(dialog.log, "OK ");
}

TEST_F(DefaultButtonTest, ADialogOpensWithItsDefaultButtonFocusedOrTheFirstThatCanBe) {
    StartDialog ready(101);
    ASSERT_TRUE(ready.Create(WS_POPUP | WS_VISIBLE, 0));
    ASSERT_NE(ready.FocusedControl(), nullptr);
    EXPECT_EQ(ready.FocusedControl()->GetId(), 101);
    StartDialog disabled(102); // disabled by its layout
    ASSERT_TRUE(disabled.Create(WS_POPUP | WS_VISIBLE, 0));
    ASSERT_NE(disabled.FocusedControl(), nullptr);
    EXPECT_EQ(disabled.FocusedControl()->GetId(), 101);
    EXPECT_EQ(dialog.FocusedControl(), nullptr) << "the focus went to the new dialog";
}
