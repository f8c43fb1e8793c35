// Push buttons: a press counts only when released over the button, the
// space bar presses once however long it is held, and the drawing follows
// hover, press, toggle and the dialog's default button.
#include "ButtonFixture.h"
#include "TextContrast.h"
#include "toolkit/controls/KIVTextButtonCtrl.h"

using namespace dialog_test;

namespace {

// A push button that logs the visual state of each drawing.
class DrawLogButton : public KIVTextButtonCtrl {
public:
    DrawLogButton(KIVDialog* dialog, std::string* log)
        : KIVTextButtonCtrl(dialog, 5, RECT{10, 10, 70, 31}, 0), log_(log) {}

protected:
    void DrawButton(const KIVDrawBuffer& buffer, int visualState) override {
        *log_ += std::to_string(visualState);
        KIVTextButtonCtrl::DrawButton(buffer, visualState);
    }

private:
    std::string* log_;
};

class SpaceDialog : public LogDialog {
public:
    SpaceDialog() : LogDialog(-1) {}
    void OnInitControls() override { AddControl(std::make_unique<DrawLogButton>(this, &drawn)); }
    std::string drawn;
};

class ButtonTest : public DialogTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0));
        SetActiveWindow(dialog);
        Pump();
    }
    LogDialog dialog{200};
};

} // namespace

TEST_F(ButtonTest, APressLeftBeforeTheReleaseSendsNothing) {
    DeviceInput::MouseButton(VK_LBUTTON, true, ScreenPoint(dialog, 40, 20));
    DeviceInput::MouseMove(ScreenPoint(dialog, 300, 250));
    DeviceInput::MouseButton(VK_LBUTTON, false, ScreenPoint(dialog, 300, 250));
    Pump();
    EXPECT_EQ(dialog.log, "");
    EXPECT_FALSE(dialog.Get<KIVTextButtonCtrl>(101)->IsPressed());

    // Leaving and coming back before the release is a click.
    DeviceInput::MouseButton(VK_LBUTTON, true, ScreenPoint(dialog, 40, 20));
    DeviceInput::MouseMove(ScreenPoint(dialog, 300, 250));
    DeviceInput::MouseMove(ScreenPoint(dialog, 41, 20));
    DeviceInput::MouseButton(VK_LBUTTON, false, ScreenPoint(dialog, 41, 20));
    Pump();
    EXPECT_EQ(dialog.log, "N1:101 ");
    EXPECT_EQ(dialog.FocusedControl(), dialog.GetControl(101));
}

TEST_F(ButtonTest, ADisabledButtonIgnoresPresses) {
    ClickAt(dialog, 100, 20);
    Pump();
    EXPECT_EQ(dialog.log, "");
    EXPECT_EQ(dialog.FocusedControl(), nullptr);
}

TEST_F(ButtonTest, AToggleButtonKeepsItsCheckUntilTheNextClick) {
    auto* hold = dialog.Get<KIVTextButtonCtrl>(103);
    ASSERT_TRUE(hold->IsToggle());
    ClickAt(dialog, 180, 20);
    Pump();
    EXPECT_TRUE(hold->IsChecked());
    ClickAt(dialog, 180, 20);
    Pump();
    EXPECT_FALSE(hold->IsChecked());
    EXPECT_EQ(dialog.log, "N1:103 N1:103 ");
    // A push button's "checked" is its pressed flag.
    EXPECT_FALSE(dialog.Get<KIVTextButtonCtrl>(101)->IsChecked());
}

TEST_F(DialogTest, HoldingTheSpaceBarDrawsThePressOnceAndClicksAtTheRelease) {
    SpaceDialog dialog;
    ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0));
    SetActiveWindow(dialog);
    dialog.SetFocusControl(5);
    Pump();
    dialog.drawn.clear();
    for (int repeat = 0; repeat < 4; ++repeat) {
        DeviceInput::Key(VK_SPACE, true);
        Pump();
    }
    EXPECT_EQ(dialog.drawn, "2");
    EXPECT_EQ(dialog.log, "");
    DeviceInput::Key(VK_SPACE, false);
    Pump();
    EXPECT_EQ(dialog.log, "N1:5 ");
    EXPECT_EQ(dialog.drawn, "20");
}

TEST_F(ButtonTest, HoverAndPressTintTheFaceAndLeavingRestoresIt) {
    const DWORD normal = dialog.PixelAt(40, 13);
    DeviceInput::MouseMove(ScreenPoint(dialog, 40, 20));
    Pump();
    const DWORD hovered = dialog.PixelAt(40, 13);
    DeviceInput::MouseButton(VK_LBUTTON, true, ScreenPoint(dialog, 40, 20));
    Pump();
    const DWORD pressed = dialog.PixelAt(40, 13);
    DeviceInput::MouseMove(ScreenPoint(dialog, 300, 250));
    DeviceInput::MouseButton(VK_LBUTTON, false, ScreenPoint(dialog, 300, 250));
    Pump();
    EXPECT_NE(hovered, normal);
    EXPECT_NE(pressed, hovered);
    EXPECT_EQ(dialog.PixelAt(40, 13), normal);
}

TEST_F(ButtonTest, TheDefaultButtonHasADarkOutlineAndTheFocusedOneAFocusRectangle) {
    auto* go = dialog.Get<KIVTextButtonCtrl>(101);
    go->SetDefault(true);
    Pump();
    EXPECT_EQ(dialog.PixelAt(40, 10), KIVLook::kInk);
    EXPECT_EQ(dialog.PixelAt(40, 11), KIVLook::kAccent);
    EXPECT_NE(dialog.PixelAt(180, 10), KIVLook::kInk);
    EXPECT_NE(dialog.PixelAt(14, 12), KIVLook::kAccent);
    go->SetFocus();
    Pump();
    EXPECT_EQ(dialog.PixelAt(12, 12), KIVLook::kAccent);
}

TEST(KIVTextButtonCtrl, SaveWritesItsTypeAndTheToggleComesFromTheStateFlags) {
    KIVControlRecord record;
    record.type = 8;
    record.state = KIVButtonCtrl::kToggle;
    KIVTextButtonCtrl button(nullptr, record);
    EXPECT_TRUE(button.IsToggle());
    EXPECT_EQ(button.TypeCode(), 8);
    button.SetChecked(1);
    EXPECT_TRUE(button.IsChecked());
    button.SetCheckedQuietly(0);
    EXPECT_FALSE(button.IsChecked());
}

// A caption wider than its button is cut at the face: the bevel's columns
// look the same as under no caption at all.
TEST_F(ButtonTest, ACaptionWiderThanTheButtonStaysInsideItsFace) {
    auto* go = dialog.Get<KIVTextButtonCtrl>(101);
    auto bevel = [&] {
        std::vector<DWORD> pixels;
        for (int y = 10; y < 31; ++y)
            for (int x : {10, 11, 12, 67, 68, 69})
                pixels.push_back(dialog.PixelAt(x, y));
        return pixels;
    };
    go->SetText(u"");
    Pump();
    const std::vector<DWORD> bare = bevel();
    go->SetText(u"A caption far wider than its button");
    Pump();
    EXPECT_EQ(bevel(), bare);
    EXPECT_GT(text_contrast::MeasureInk(dialog, RECT{13, 13, 67, 28}).inkPixels, 10);
}
