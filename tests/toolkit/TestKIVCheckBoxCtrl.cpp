// Check boxes: two states click like a toggle and notify as commands; three
// states turn 0 -> 1 -> 2 -> 0 and tell the dialog through the second
// notification entry; the mark follows the state.
#include "ButtonFixture.h"
#include "toolkit/controls/KIVCheckBoxCtrl.h"

using namespace dialog_test;

namespace {

class CheckBoxTest : public DialogTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0));
        SetActiveWindow(dialog);
        Pump();
    }
    KIVCheckBoxCtrl* Box(LONG id) const { return dialog.Get<KIVCheckBoxCtrl>(id); }
    LogDialog dialog{200};
};

} // namespace

TEST_F(CheckBoxTest, ATwoStateBoxTurnsOnAndOffAndNotifiesEachClick) {
    ClickAt(dialog, 205, 48);
    Pump();
    EXPECT_EQ(Box(121)->GetCheckedState(), 1);
    ClickAt(dialog, 205, 48);
    Pump();
    EXPECT_EQ(Box(121)->GetCheckedState(), 0);
    EXPECT_EQ(dialog.log, "N1:121 N1:121 ");
}

TEST_F(CheckBoxTest, AThreeStateBoxGoesThroughTheSecondStateAndBack) {
    std::string states;
    for (int click = 0; click < 3; ++click) {
        ClickAt(dialog, 205, 68);
        Pump();
        states += std::to_string(Box(122)->GetCheckedState());
    }
    EXPECT_EQ(states, "120");
    EXPECT_EQ(dialog.log, "E1:122 E1:122 E1:122 ");
}

TEST_F(CheckBoxTest, TheSpaceBarClicksTheFocusedBox) {
    dialog.SetFocusControl(121);
    KeyStroke(VK_SPACE);
    Pump();
    EXPECT_EQ(Box(121)->GetCheckedState(), 1);
    EXPECT_EQ(dialog.log, "N1:121 ");
}

TEST_F(CheckBoxTest, TheMarkIsATickWhenCheckedAndABarInTheThirdState) {
    // The box is 13 pixels high, centred in the 16-pixel rectangle at y 61.
    auto markPixels = [&] {
        int accent = 0;
        for (int y = 62; y < 75; ++y)
            for (int x = 200; x < 213; ++x)
                accent += dialog.PixelAt(x, y) == KIVLook::kAccent;
        return accent;
    };
    EXPECT_EQ(markPixels(), 0);
    Box(122)->SetChecked(1);
    Pump();
    const int tick = markPixels();
    Box(122)->SetChecked(2);
    Pump();
    const int bar = markPixels();
    EXPECT_GT(tick, 5);
    EXPECT_GT(bar, 5);
    EXPECT_NE(tick, bar);
}

// The face under the mouse lights up in every state but the checked one,
// the third state's included.
TEST_F(CheckBoxTest, TheThirdStateShowsTheMouseOverTheBox) {
    auto boxPixels = [&] {
        std::vector<DWORD> pixels;
        for (int y = 62; y < 75; ++y)
            for (int x = 200; x < 213; ++x)
                pixels.push_back(dialog.PixelAt(x, y));
        return pixels;
    };
    Box(122)->SetChecked(2);
    Pump();
    ASSERT_FALSE(Box(122)->IsHovered());
    const std::vector<DWORD> away = boxPixels();
    DeviceInput::MouseMove(ScreenPoint(dialog, 205, 68));
    Pump();
    ASSERT_TRUE(Box(122)->IsHovered());
    EXPECT_NE(boxPixels(), away);
    DeviceInput::MouseMove(ScreenPoint(dialog, 5, 5));
    Pump();
    EXPECT_EQ(boxPixels(), away);
}

TEST_F(CheckBoxTest, TheFocusFramesTheTextAndNeverCrossesTheBox) {
    auto box = [&] {
        std::vector<DWORD> pixels;
        for (int y = 40; y < 56; ++y)
            for (int x = 200; x < 217; ++x)
                pixels.push_back(dialog.PixelAt(x, y));
        return pixels;
    };
    const std::vector<DWORD> unfocused = box();
    dialog.SetFocusControl(121);
    Pump();
    EXPECT_EQ(box(), unfocused);
    int focusPixels = 0;
    for (int x = 217; x < 260; ++x)
        focusPixels +=
            dialog.PixelAt(x, 40) == KIVLook::kAccent || dialog.PixelAt(x, 41) == KIVLook::kAccent;
    EXPECT_GE(focusPixels, 30) << "a solid line above the text";
}
