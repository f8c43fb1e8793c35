// Labels: the record's drawing factor and colour, the disabled factor, one
// aligned line when low and broken lines when tall; pictures: the bitmap of
// the record or the picture handed in, hidden by a state flag, faded when
// disabled, and a press told through the second notification entry.
#include "ButtonFixture.h"
#include "toolkit/controls/KIVLabelCtrl.h"
#include "toolkit/controls/KIVPictureCtrl.h"
#include "toolkit/drawing/KIVPainter.h"

#include <cmath>

using namespace dialog_test;

namespace {

class LabelTest : public DialogTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0));
        Pump();
    }
    bool HasInk(const RECT& rect) const { return DarkestChannel(dialog, rect) < 0x80; }
    LogDialog dialog{201};
};

} // namespace

TEST_F(LabelTest, ADisabledLabelWithFactorZeroIsDrawnAtFourTenths) {
    auto* faded = dialog.Get<KIVLabelCtrl>(131);
    EXPECT_EQ(faded->GetDrawingFactor(), 0.0f);
    EXPECT_FLOAT_EQ(faded->EffectiveFactor(), 0.4f);
    // Black at 0.4 over the paper: the darkest channel is 0.6 of the paper's.
    const int darkest = DarkestChannel(dialog, RECT{10, 10, 200, 26});
    EXPECT_GE(darkest, 0x88);
    EXPECT_LE(darkest, 0x96);
    faded->Enable(true);
    Pump();
    EXPECT_EQ(DarkestChannel(dialog, RECT{10, 10, 200, 26}), 0);
    faded->SetDrawingFactor(0.5f);
    faded->Enable(false);
    EXPECT_FLOAT_EQ(faded->EffectiveFactor(), 0.2f);
}

TEST_F(LabelTest, AFactorThatIsNotANumberDrawsAtFullStrength) {
    auto* label = dialog.Get<KIVLabelCtrl>(132);
    label->SetColour(0);
    label->SetDrawingFactor(std::nanf(""));
    Pump();
    EXPECT_EQ(DarkestChannel(dialog, RECT{10, 30, 200, 46}), 0);
    label->SetDrawingFactor(0.5f);
    Pump();
    EXPECT_GT(DarkestChannel(dialog, RECT{10, 30, 200, 46}), 0x60);
}

TEST_F(LabelTest, TheRecordsColourBytesAreThirdSecondFirst) {
    auto* red = dialog.Get<KIVLabelCtrl>(132);
    EXPECT_EQ(red->GetColour(), 0x00FF0000u);
    bool sawRed = false;
    for (int y = 30; y < 46; ++y)
        for (int x = 10; x < 40; ++x)
            sawRed |= dialog.PixelAt(x, y) == 0x00FF0000;
    EXPECT_TRUE(sawRed);
    std::vector<BYTE> saved;
    red->Save(&saved);
    EXPECT_EQ(red->TypeCode(), 2);
    ASSERT_GE(saved.size(), 7u);
    EXPECT_EQ(std::vector<BYTE>(saved.end() - 7, saved.end()),
              (std::vector<BYTE>{0x00, 0x00, 0x80, 0x3F, 0xFF, 0x00, 0x00}));
}

TEST_F(LabelTest, ALowLabelTakesItsStyleAsTheAlignment) {
    EXPECT_FALSE(HasInk(RECT{10, 50, 80, 66}));
    EXPECT_TRUE(HasInk(RECT{80, 50, 130, 66}));
}

TEST_F(LabelTest, ATallLabelBreaksItsTextIntoLinesThatFit) {
    const int line = dialog.GetControl(134)->GetFont()->LineHeight();
    ASSERT_LT(4 * line, 60 + line) << "the layout expects at least three lines in 60 pixels";
    for (int row = 0; row < 3; ++row)
        EXPECT_TRUE(HasInk(RECT{10, 70 + row * line, 70, 70 + (row + 1) * line})) << row;
    // A line feed starts a line: "B" is on the second line, not after "A".
    EXPECT_FALSE(HasInk(RECT{225, 70, 300, 70 + line}));
    EXPECT_TRUE(HasInk(RECT{210, 70 + line, 225, 70 + 2 * line}));
}

TEST_F(LabelTest, APictureShowsItsBitmapUnlessHiddenByItsFlagAndFadesWhenDisabled) {
    SIZE icon{};
    ASSERT_TRUE(KIVPainter::PictureSize(89, &icon));
    const DWORD shown = dialog.PixelAt(200 + icon.cx / 2, 10 + icon.cy / 2);
    EXPECT_NE(shown, KIVDialog::kBackground);
    EXPECT_EQ(dialog.PixelAt(250 + icon.cx / 2, 10 + icon.cy / 2), KIVDialog::kBackground);
    const DWORD faded = dialog.PixelAt(300 + icon.cx / 2, 10 + icon.cy / 2);
    const DWORD expected = KIVPainter::Fade(shown, KIVDialog::kBackground, 0.4f);
    for (int shift = 0; shift < 24; shift += 8)
        EXPECT_NEAR(static_cast<int>((faded >> shift) & 0xFF),
                    static_cast<int>((expected >> shift) & 0xFF), 2)
            << shift;
}

TEST_F(LabelTest, AHandedInPictureReplacesTheBitmapAndAPressIsAnEvent) {
    KIVBitmapFrame red;
    red.width = 2;
    red.height = 2;
    red.pixels = {0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0};
    auto* picture = dialog.Get<KIVPictureCtrl>(141);
    picture->SetPicture(&red);
    Pump();
    EXPECT_EQ(dialog.PixelAt(201, 11), 0x00FF0000u);
    EXPECT_EQ(dialog.PixelAt(203, 11), KIVDialog::kBackground);
    ClickAt(dialog, 205, 15);
    Pump();
    EXPECT_EQ(dialog.log, "E1:141 ");
    std::vector<BYTE> saved;
    picture->Save(&saved);
    EXPECT_EQ(std::vector<BYTE>(saved.end() - 4, saved.end()), (std::vector<BYTE>{89, 0, 0, 0}));
}
