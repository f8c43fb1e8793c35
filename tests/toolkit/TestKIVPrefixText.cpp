// Captions with "&" mnemonics: what is shown and which letter is marked,
// widths without the marks, and the drawn pixels (the underline under the
// marked letter, never an "&" for a mark).
#include "FontBytes.h"
#include "toolkit/drawing/KIVPrefixText.h"
#include "toolkit/resources/KIVTextPainter.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kPaper = 0x00FFFFFF;
constexpr DWORD kInk = 0x00000000;
constexpr int kWidth = 12;
constexpr int kHeight = 5;

// Line height 5: "H" is inked on rows 0 to 2 (so the underline is row 4),
// "a" on row 1 only, "&" on every row.
class KIVPrefixTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::map<int, TestGlyph> glyphs = {
            {'H', {2, {255, 255, 255, 255, 255, 255, 0, 0, 0, 0}}},
            {'a', {2, {0, 0, 255, 255, 0, 0, 0, 0, 0, 0}}},
            {'&', {1, {255, 255, 255, 255, 255}}},
        };
        file = FontFile(0, kHeight, glyphs);
        font = KIVFont::Load(file.Source(), 0, false);
        ASSERT_TRUE(font);
        pixels.assign(kWidth * kHeight, kPaper);
        buffer.pixels = pixels.data();
        buffer.width = kWidth;
        buffer.height = kHeight;
        buffer.stride = kWidth;
        buffer.clip = {0, 0, kWidth, kHeight};
    }
    int Draw(const char16_t* text, int options = 0) {
        return KIVPrefixText::Draw(buffer, *font, text, 0, 0, kWidth, kInk, options);
    }
    // The columns inked on a row, as a string of '#' and '.'.
    std::string Row(int y) const {
        std::string row;
        for (int x = 0; x < kWidth; ++x)
            row += pixels[static_cast<std::size_t>(y * kWidth + x)] == kPaper ? '.' : '#';
        return row;
    }

    ResourceBytes file{0, 0};
    std::unique_ptr<KIVFont> font;
    std::vector<DWORD> pixels;
    KIVDrawBuffer buffer;
};

} // namespace

TEST(KIVPrefixTextParse, TheFirstMarkNamesTheMnemonicAndDoubleMarksShowOne) {
    const KIVPrefixText file(u"Save &as");
    EXPECT_EQ(file.Shown(), u"Save as");
    EXPECT_EQ(file.MnemonicIndex(), 5);
    EXPECT_EQ(file.Mnemonic(), u'A');
    EXPECT_EQ(KIVPrefixText::Strip(u"R&&D"), u"R&D");
    EXPECT_EQ(KIVPrefixText::MnemonicOf(u"R&&D"), 0);
    EXPECT_EQ(KIVPrefixText(u"&&&x").MnemonicIndex(), 1);
    EXPECT_EQ(KIVPrefixText::MnemonicOf(u"&b and &c"), u'B');
    EXPECT_EQ(KIVPrefixText::Strip(u"end&"), u"end");
    EXPECT_EQ(KIVPrefixText::MnemonicOf(u"\u6b21\u3078(&n) >"), u'N');
    EXPECT_EQ(KIVPrefixText::MnemonicOf(nullptr), 0);
}

TEST_F(KIVPrefixTextTest, TheWidthIsTheShownTexts) {
    EXPECT_EQ(KIVPrefixText::Measure(*font, u"&Ha"), 4);
    EXPECT_EQ(KIVPrefixText::Measure(*font, u"H&&a"), 5);
    EXPECT_EQ(KIVPrefixText::UnderlineRow(*font), 4);
}

TEST_F(KIVPrefixTextTest, TheMarkedLetterIsUnderlinedAndTheMarkNotDrawn) {
    EXPECT_EQ(Draw(u"H&a"), 4);
    EXPECT_EQ(Row(0), "##..........");
    EXPECT_EQ(Row(1), "####........");
    EXPECT_EQ(Row(3), "............") << "no '&' between the letters";
    EXPECT_EQ(Row(4), "..##........");
}

TEST_F(KIVPrefixTextTest, ADoubleMarkDrawsOneAmpersandAndNoUnderline) {
    EXPECT_EQ(Draw(u"H&&a"), 5);
    EXPECT_EQ(Row(3), "..#.........");
    EXPECT_EQ(Row(4), "..#.........");
}

TEST_F(KIVPrefixTextTest, TheUnderlineFollowsCentredAndRightAlignedText) {
    Draw(u"&Ha", KIVTextPainter::kCentre);
    EXPECT_EQ(Row(4), "....##......");
    pixels.assign(pixels.size(), kPaper);
    Draw(u"H&a", KIVTextPainter::kRight);
    EXPECT_EQ(Row(4), "..........##");
}
