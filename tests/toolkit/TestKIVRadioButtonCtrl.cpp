// Radio buttons: a group is a run of consecutive radio buttons; checking one
// unchecks the others that are visible and enabled, the focus stops only at
// the checked one (the first while none is), and the arrows move the focus
// and the check inside the group.
#include "ButtonFixture.h"
#include "toolkit/controls/KIVRadioButtonCtrl.h"

using namespace dialog_test;

namespace {

class RadioTest : public DialogTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0));
        SetActiveWindow(dialog);
        Pump();
    }
    KIVRadioButtonCtrl* Radio(LONG id) const { return dialog.Get<KIVRadioButtonCtrl>(id); }
    // "1" for each checked button of 111, 112, 113 and 115, "0" otherwise.
    std::string Checks() const {
        std::string checks;
        for (LONG id : {111, 112, 113, 115})
            checks += Radio(id)->IsChecked() ? "1" : "0";
        return checks;
    }
    LogDialog dialog{200};
};

} // namespace

TEST_F(RadioTest, CheckingOneUnchecksItsGroupButNotAButtonBeyondALabel) {
    Radio(115)->SetChecked(1);
    ClickAt(dialog, 20, 48);
    Pump();
    EXPECT_EQ(Checks(), "1001");
    ClickAt(dialog, 20, 88);
    Pump();
    EXPECT_EQ(Checks(), "0011");
    Radio(112)->SetChecked(1);
    EXPECT_EQ(Checks(), "0101");
    EXPECT_EQ(dialog.log, "N1:111 N1:113 ");
}

TEST_F(RadioTest, ClickingTheCheckedButtonSendsNothingAndKeepsItChecked) {
    Radio(112)->SetChecked(1);
    ClickAt(dialog, 20, 68);
    Pump();
    EXPECT_EQ(dialog.log, "");
    EXPECT_EQ(Checks(), "0100");
}

TEST_F(RadioTest, HiddenAndDisabledButtonsOfTheGroupKeepTheirCheck) {
    Radio(111)->SetCheckedQuietly(1);
    Radio(113)->SetCheckedQuietly(1);
    Radio(111)->Show(false);
    Radio(113)->Enable(false);
    ClickAt(dialog, 20, 68);
    Pump();
    EXPECT_EQ(Checks(), "1110");
}

TEST_F(RadioTest, TheFocusStopsAtTheCheckedButtonOfAGroupOrAtItsFirstWhenNoneIsChecked) {
    dialog.SetFocusControl(103);
    KeyStroke(VK_TAB);
    Pump();
    EXPECT_EQ(dialog.FocusedControl()->GetId(), 111); // none of the group checked
    KeyStroke(VK_TAB);
    Pump();
    EXPECT_EQ(dialog.FocusedControl()->GetId(), 115); // the group after the label
    EXPECT_EQ(Checks(), "0000") << "the focus alone checks nothing";
    Radio(112)->SetChecked(1);
    dialog.SetFocusControl(103);
    dialog.FocusNext();
    EXPECT_EQ(dialog.FocusedControl()->GetId(), 112);
    dialog.FocusNext();
    EXPECT_EQ(dialog.FocusedControl()->GetId(), 115);
    dialog.FocusPrevious();
    EXPECT_EQ(dialog.FocusedControl()->GetId(), 112);
    // With its first button disabled, the group's first usable one stands in.
    Radio(112)->SetChecked(0);
    Radio(111)->Enable(false);
    dialog.SetFocusControl(103);
    dialog.FocusNext();
    EXPECT_EQ(dialog.FocusedControl()->GetId(), 112);
}

TEST_F(RadioTest, LeftAndRightMoveLikeUpAndDownAndSpaceChecksTheFocusedButton) {
    dialog.SetFocusControl(103);
    KeyStroke(VK_TAB);
    KeyStroke(VK_SPACE);
    Pump();
    EXPECT_EQ(Checks(), "1000");
    KeyStroke(VK_RIGHT);
    Pump();
    EXPECT_EQ(Checks(), "0100");
    EXPECT_EQ(dialog.FocusedControl()->GetId(), 112);
    KeyStroke(VK_RIGHT);
    KeyStroke(VK_RIGHT);
    Pump();
    EXPECT_EQ(Checks(), "0010") << "Right at the group's end stays in it";
    EXPECT_EQ(dialog.FocusedControl()->GetId(), 113);
    KeyStroke(VK_LEFT);
    Pump();
    EXPECT_EQ(Checks(), "0100");
    EXPECT_EQ(dialog.log, "N1:111 N1:112 N1:113 N1:112 ");
}

TEST_F(RadioTest, UpAndDownMoveTheCheckToTheNextUsableButtonOfTheGroup) {
    Radio(111)->SetChecked(1);
    dialog.SetFocusControl(111);
    Radio(112)->Enable(false);
    KeyStroke(VK_DOWN);
    Pump();
    EXPECT_EQ(Checks(), "0010");
    EXPECT_EQ(dialog.FocusedControl()->GetId(), 113);
    // The label ends the group: Down at its end stays, and is not the dialog's.
    KeyStroke(VK_DOWN);
    Pump();
    EXPECT_EQ(Checks(), "0010");
    EXPECT_EQ(dialog.FocusedControl()->GetId(), 113);
    KeyStroke(VK_UP);
    Pump();
    EXPECT_EQ(Checks(), "1000");
    EXPECT_EQ(dialog.log, "N1:113 N1:111 ");
}

TEST_F(RadioTest, TheCheckedRingHasADotAndThePushLikeButtonAFace) {
    // The ring is 13 x 13, centred in the 16-pixel rectangle at y 41.
    EXPECT_NE(dialog.PixelAt(16, 47), KIVLook::kAccent);
    Radio(111)->SetChecked(1);
    Pump();
    EXPECT_EQ(dialog.PixelAt(16, 47), KIVLook::kAccent);
    // 115 carries the push-like flag: a face over its whole rectangle.
    EXPECT_EQ(dialog.PixelAt(100, 127), KIVDialog::kBackground);
    EXPECT_NE(dialog.PixelAt(100, 121), KIVDialog::kBackground);
}

TEST(KIVRadioButtonCtrl, IsAToggleButtonFromTheStartAndSavesItsType) {
    KIVControlRecord record;
    KIVRadioButtonCtrl radio(nullptr, record);
    EXPECT_TRUE(radio.IsToggle());
    EXPECT_EQ(radio.TypeCode(), 17);
    EXPECT_TRUE(radio.AcceptsFocus()) << "a group of one, nothing checked";
    radio.Enable(false);
    radio.SetChecked(1);
    EXPECT_FALSE(radio.AcceptsFocus());
}

// The ring keeps a gap from its text, and the focus frames the text alone:
// the ring's pixels are the same with and without it.
TEST_F(RadioTest, TheFocusFramesTheTextAndLeavesTheRingAndItsGapAlone) {
    Radio(111)->SetChecked(1);
    Pump();
    auto ring = [&] {
        std::vector<DWORD> pixels;
        for (int y = 40; y < 56; ++y)
            for (int x = 10; x < 27; ++x)
                pixels.push_back(dialog.PixelAt(x, y));
        return pixels;
    };
    for (int y = 40; y < 56; ++y)
        for (int x = 24; x < 28; ++x)
            EXPECT_EQ(dialog.PixelAt(x, y), KIVDialog::kBackground) << "gap at " << x << "," << y;
    const std::vector<DWORD> unfocused = ring();
    Radio(111)->SetFocus();
    Pump();
    EXPECT_EQ(ring(), unfocused);
    int focusPixels = 0;
    for (int y = 40; y < 56; ++y)
        focusPixels += dialog.PixelAt(27, y) == KIVLook::kAccent;
    EXPECT_GE(focusPixels, 12) << "a solid line left of the text";
}
