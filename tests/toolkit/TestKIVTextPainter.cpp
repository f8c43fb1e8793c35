// Text measuring and drawing, pixel by pixel against values computed here
// from the blending rule.
#include "FontBytes.h"
#include "toolkit/resources/KIVTextPainter.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kBackground = 0xFF102030;
constexpr DWORD kColour = 0x00A0B0C0;

// One byte of the rule: c x B + p x (255 - B), over 256; B = 255 stores c.
DWORD Byte(DWORD c, DWORD p, DWORD b) {
    return b == 255 ? c : (c * b + p * (255 - b)) / 256;
}

// The expected pixel for coverage b over the background, colour bytes as
// given (after any multiplication).
DWORD Expected(DWORD colour, DWORD b, DWORD pixel = kBackground) {
    DWORD result = pixel & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8)
        result |= Byte((colour >> shift) & 0xFF, (pixel >> shift) & 0xFF, b) << shift;
    return result;
}

class KIVTextPainterTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::map<int, TestGlyph> glyphs = {
            {'?', {1, {255, 200}}},
            {'A', {2, {255, 128, 0, 64}}},
            {' ', {3, {0, 0, 0, 0, 0, 0}}},
            {'W', {48, std::vector<std::uint8_t>(96, 0)}},
            {0x3042, {3, {10, 20, 30, 40, 50, 60}}},
        };
        file = FontFile(0, 2, glyphs, true);
        font = KIVFont::Load(file.Source(), 0, false);
        japanese = KIVFont::Load(file.Source(), 0, true);
        pixels.assign(kWidth * 3, kBackground);
        buffer.pixels = pixels.data();
        buffer.width = kWidth;
        buffer.height = 3;
        buffer.stride = kWidth;
        buffer.clip = {0, 0, kWidth, 3};
    }
    DWORD At(int x, int y) const { return pixels[static_cast<std::size_t>(y * kWidth + x)]; }
    int Draw(const char16_t* text, int width, int options = 0, int transparency = 255, int x = 0) {
        return KIVTextPainter::DrawText(buffer, *font, text, -1, x, 0, width, kColour, options,
                                        transparency);
    }

    static constexpr int kWidth = 160;
    ResourceBytes file{0, 0};
    std::unique_ptr<KIVFont> font;
    std::unique_ptr<KIVFont> japanese;
    std::vector<DWORD> pixels;
    KIVDrawBuffer buffer;
};

} // namespace

TEST_F(KIVTextPainterTest, BlendsTheColourThroughTheCoverage) {
    EXPECT_EQ(Draw(u"A", 100), 2);
    EXPECT_EQ(At(0, 0), 0xFFA0B0C0); // B = 255 stores the colour, keeps byte 3
    EXPECT_EQ(At(1, 0), Expected(kColour, 128));
    EXPECT_EQ(At(0, 1), kBackground); // coverage 0 leaves the pixel
    EXPECT_EQ(At(1, 1), Expected(kColour, 64));
    EXPECT_EQ(At(2, 0), kBackground);
    EXPECT_EQ(At(0, 2), kBackground); // below the line height
}

TEST_F(KIVTextPainterTest, InvertedCoverage) {
    Draw(u"A", 100, KIVTextPainter::kInvert);
    EXPECT_EQ(At(0, 0), kBackground);
    EXPECT_EQ(At(1, 0), Expected(kColour, 127));
    EXPECT_EQ(At(0, 1), 0xFFA0B0C0);
    EXPECT_EQ(At(1, 1), Expected(kColour, 191));
}

TEST_F(KIVTextPainterTest, MultiplyScalesThePixelByTheColour) {
    Draw(u"A", 100, KIVTextPainter::kMultiply);
    DWORD product = 0;
    for (int shift = 0; shift < 24; shift += 8)
        product |= (((kBackground >> shift) & 0xFF) * ((kColour >> shift) & 0xFF) / 255) << shift;
    EXPECT_EQ(At(0, 0), 0xFF000000u | product);
    EXPECT_EQ(At(1, 0), Expected(product, 128));
}

TEST_F(KIVTextPainterTest, TransparencyScalesEveryCoverage) {
    Draw(u"A", 100, 0, 128);
    EXPECT_EQ(At(0, 0), Expected(kColour, 128));
    EXPECT_EQ(At(1, 0), Expected(kColour, 128 * 128 / 255));
    EXPECT_EQ(At(1, 1), Expected(kColour, 64 * 128 / 255));
}

TEST_F(KIVTextPainterTest, TabsStopAtMultiplesOfFiftyUnlessNarrowerThanABlank) {
    EXPECT_EQ(KIVTextPainter::MeasureText(*font, u"A\tA", -1), 52);
    EXPECT_EQ(KIVTextPainter::MeasureText(*font, u"W\t", -1), 100);  // 2 < blank of 3
    EXPECT_EQ(KIVTextPainter::MeasureText(*font, u"WA\t", -1), 100); // 0 to go: next stop
    EXPECT_EQ(KIVTextPainter::MeasureText(*font, u"A\t\t", -1), 100);
    Draw(u"A\tA", 100, 0, 255, 5);
    EXPECT_EQ(At(5, 0), 0xFFA0B0C0);
    EXPECT_EQ(At(55, 0), 0xFFA0B0C0); // the tab counts from the line's start at x = 5
    EXPECT_EQ(At(7, 0), kBackground);
}

TEST_F(KIVTextPainterTest, CharactersWithoutAGlyphUseTheQuestionMark) {
    EXPECT_EQ(KIVTextPainter::MeasureText(*font, u"\u3042A", -1), 3);
    Draw(u"\u3042", 100);
    EXPECT_EQ(At(0, 0), 0xFFA0B0C0);
    EXPECT_EQ(At(0, 1), Expected(kColour, 200));
    EXPECT_EQ(KIVTextPainter::MeasureText(*japanese, u"\u3042A", -1), 5);
    EXPECT_EQ(KIVTextPainter::MeasureText(*japanese, u"\uE000", -1), 1);
}

TEST_F(KIVTextPainterTest, StopsBeforeTheCharacterThatWouldPassTheRightEdge) {
    EXPECT_EQ(Draw(u"AAA", 5), 4);
    EXPECT_EQ(At(2, 0), 0xFFA0B0C0);
    EXPECT_EQ(At(4, 0), kBackground);
    EXPECT_EQ(Draw(u"AAA", 6, 0, 255, 10), 16);
}

TEST_F(KIVTextPainterTest, CentresAndAlignsRightInTheWidth) {
    EXPECT_EQ(Draw(u"A", 10, KIVTextPainter::kCentre), 6);
    EXPECT_EQ(At(4, 0), 0xFFA0B0C0);
    EXPECT_EQ(At(3, 0), kBackground);
    EXPECT_EQ(Draw(u"A", 10, KIVTextPainter::kRight, 255, 20), 30);
    EXPECT_EQ(At(28, 0), 0xFFA0B0C0);
    EXPECT_EQ(Draw(u"AAA", 4, KIVTextPainter::kRight, 255, 40), 44); // too wide: from the left
}

TEST_F(KIVTextPainterTest, DrawsOnlyInsideTheClipAndTheBuffer) {
    buffer.clip = {1, 0, kWidth, 1};
    Draw(u"A", 100);
    EXPECT_EQ(At(0, 0), kBackground);
    EXPECT_EQ(At(1, 0), Expected(kColour, 128));
    EXPECT_EQ(At(1, 1), kBackground);
    buffer.clip = {-50, -50, 500, 500};
    KIVTextPainter::DrawText(buffer, *font, u"AAAA", -1, kWidth - 3, 2, 100, kColour, 0);
    KIVTextPainter::DrawText(buffer, *font, u"AAAA", -1, -3, -1, 100, kColour, 0);
    EXPECT_EQ(At(kWidth - 3, 2), 0xFFA0B0C0);
    EXPECT_EQ(At(0, 0), Expected(kColour, 64)); // row 1, column 1 of the second "A"
}
