// Groups hold the controls inside their rectangle: a radio group ends at
// the group's edge, and hiding or disabling the group hides or disables its
// members until it comes back. Frames and separators are etched lines.
#include "ButtonFixture.h"
#include "toolkit/controls/KIVGroupCtrl.h"
#include "toolkit/controls/KIVRadioButtonCtrl.h"

using namespace dialog_test;

namespace {

class GroupTest : public DialogTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0));
        SetActiveWindow(dialog);
        Pump();
    }
    KIVGroupCtrl* Group() const { return dialog.Get<KIVGroupCtrl>(220); }
    KIVControl* Control(LONG id) const { return dialog.GetControl(id); }
    LogDialog dialog{202};
};

} // namespace

TEST_F(GroupTest, TheGroupTakesTheControlsInsideItsRectangle) {
    ASSERT_EQ(Group()->Members().size(), 3u);
    EXPECT_EQ(Control(221)->GetContainer(), Group());
    EXPECT_EQ(Control(211)->GetContainer(), nullptr);
    EXPECT_EQ(Control(230)->GetContainer(), nullptr);
}

TEST_F(GroupTest, ARadioGroupEndsAtTheGroupsEdge) {
    dialog.Get<KIVRadioButtonCtrl>(211)->SetChecked(1);
    ClickAt(dialog, 20, 48);
    Pump();
    EXPECT_TRUE(dialog.Get<KIVRadioButtonCtrl>(211)->IsChecked());
    EXPECT_TRUE(dialog.Get<KIVRadioButtonCtrl>(221)->IsChecked());
    ClickAt(dialog, 20, 68);
    Pump();
    EXPECT_FALSE(dialog.Get<KIVRadioButtonCtrl>(221)->IsChecked());
    EXPECT_EQ(dialog.log, "N1:221 N1:222 ");
}

TEST_F(GroupTest, HidingTheGroupHidesItsMembersAndShowingItBringsBackTheirOwnState) {
    Control(222)->Show(false);
    Group()->Show(false);
    EXPECT_FALSE(Control(221)->IsVisible());
    // A member asked to appear while its group is hidden waits for the group.
    Control(223)->Show(true);
    EXPECT_FALSE(Control(223)->IsVisible());
    Group()->Show(true);
    EXPECT_TRUE(Control(221)->IsVisible());
    EXPECT_FALSE(Control(222)->IsVisible());
    EXPECT_TRUE(Control(223)->IsVisible());
}

TEST_F(GroupTest, ADisabledGroupsButtonsTakeNoClicksUntilItIsEnabled) {
    Group()->Enable(false);
    ClickAt(dialog, 40, 100);
    Pump();
    EXPECT_EQ(dialog.log, "");
    Group()->Enable(true);
    ClickAt(dialog, 40, 100);
    Pump();
    EXPECT_EQ(dialog.log, "N1:223 ");
}

TEST_F(GroupTest, FramesAndSeparatorsAreEtched) {
    const int edge = 10 + dialog.GetControl(230)->GetFont()->LineHeight() / 2;
    EXPECT_EQ(dialog.PixelAt(380, edge), KIVLook::kShadow);
    EXPECT_EQ(dialog.PixelAt(380, edge + 1), KIVLook::kLight);
    EXPECT_EQ(dialog.PixelAt(210, 60), KIVLook::kShadow);
    EXPECT_EQ(dialog.PixelAt(211, 60), KIVLook::kLight);
    EXPECT_LT(DarkestChannel(dialog, RECT{218, 10, 260, edge + 6}), 0x80) << "the title";
    EXPECT_EQ(dialog.PixelAt(300, 60), KIVDialog::kBackground);
    EXPECT_EQ(dialog.PixelAt(300, 134), KIVLook::kShadow);
    EXPECT_EQ(dialog.PixelAt(300, 135), KIVLook::kLight);
    EXPECT_EQ(dialog.PixelAt(214, 200), KIVLook::kShadow);
    EXPECT_EQ(dialog.PixelAt(215, 200), KIVLook::kLight);
    // Raised: the light line outside.
    EXPECT_EQ(dialog.PixelAt(300, 150), KIVLook::kLight);
    EXPECT_EQ(dialog.PixelAt(300, 151), KIVLook::kShadow);
}

TEST_F(GroupTest, AControlPutInAPlaceholdersPlaceTakesItsPlaceInTheListAndTheGroup) {
    KIVControl* placeholder = Control(223);
    const int index = dialog.IndexOf(placeholder);
    auto replacement = std::make_unique<KIVControl>(&dialog, 224, placeholder->GetRect(), 0, 1, 0);
    KIVControl* made = dialog.ReplaceControl(placeholder, std::move(replacement));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(dialog.IndexOf(made), index);
    EXPECT_EQ(dialog.GetControl(223), nullptr);
    EXPECT_EQ(made->GetContainer(), Group());
    EXPECT_EQ(std::count(Group()->Members().begin(), Group()->Members().end(), made), 1);
    Group()->Show(false);
    EXPECT_FALSE(made->IsVisible());
    KIVControl stranger(nullptr, 9, RECT{}, 0, 1, 0);
    EXPECT_EQ(
        dialog.ReplaceControl(&stranger, std::make_unique<KIVControl>(&dialog, 8, RECT{}, 0, 1, 0)),
        nullptr);
}
