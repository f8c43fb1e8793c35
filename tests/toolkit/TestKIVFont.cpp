// Fonts of the font file: the tables, the missing-font rule, the
// double-byte extension and damaged items.
#include "FontBytes.h"
#include "toolkit/resources/KIVFont.h"

#include <gtest/gtest.h>

namespace {

const std::map<int, TestGlyph> kGlyphs = {
    {'?', {1, {255, 255}}},
    {'A', {2, {255, 128, 0, 64}}},
    {0x3042, {3, {1, 2, 3, 4, 5, 6}}},
    {0xFF21, {2, {9, 8, 7, 6}}},
};

} // namespace

TEST(KIVFontTest, ReadsLineHeightAdvancesAndGlyphs) {
    const ResourceBytes file = FontFile(1, 2, kGlyphs);
    auto font = KIVFont::Load(file.Source(), 1, false);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->LineHeight(), 2);
    EXPECT_EQ(font->Advance(u'A'), 2);
    ASSERT_NE(font->Glyph(u'A'), nullptr);
    EXPECT_EQ(font->Glyph(u'A')[1], 128);
    EXPECT_EQ(font->Glyph(u'A')[3], 64);
    EXPECT_EQ(font->Glyph(u'B'), nullptr); // advance 0: nothing to draw
    EXPECT_FALSE(font->HasExtension());
}

TEST(KIVFontTest, AFontWithoutItemUsesFontZero) {
    const ResourceBytes file = FontFile(0, 2, kGlyphs);
    auto font = KIVFont::Load(file.Source(), 7, false);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->Id(), 7);
    EXPECT_EQ(font->Advance(u'A'), 2);
    ResourceBytes empty(0, 1);
    EXPECT_EQ(KIVFont::Load(empty.Source(), 0, false), nullptr);
}

TEST(KIVFontTest, DoubleByteCharactersUseTheExtensionOnlyForJapanese) {
    const ResourceBytes file = FontFile(0, 2, kGlyphs, true);
    auto japanese = KIVFont::Load(file.Source(), 0, true);
    ASSERT_NE(japanese, nullptr);
    ASSERT_TRUE(japanese->HasExtension());
    EXPECT_EQ(japanese->Advance(u'\u3042'), 3);
    EXPECT_EQ(japanese->Glyph(u'\u3042')[5], 6);
    EXPECT_EQ(japanese->Advance(u'\uFF21'), 2);
    EXPECT_EQ(japanese->Glyph(u'\uFF21')[0], 9);
    EXPECT_EQ(japanese->Advance(u'\uE000'), 1); // outside both ranges: "?"
    EXPECT_EQ(japanese->Glyph(u'\uE000'), japanese->Glyph(u'?'));
    auto western = KIVFont::Load(file.Source(), 0, false);
    ASSERT_NE(western, nullptr);
    EXPECT_FALSE(western->HasExtension());
    EXPECT_EQ(western->Advance(u'\u3042'), 1);
}

TEST(KIVFontTest, DamagedItemsReadAsNoFont) {
    for (std::int32_t height : {-1, 1025}) {
        ResourceBytes file = FontFile(0, height, kGlyphs);
        EXPECT_EQ(KIVFont::Load(file.Source(), 0, false), nullptr) << height;
    }
    ResourceBytes hugeData = FontFile(0, 2, kGlyphs);
    hugeData.Put(288 + 4 + 1024, 0x7FFFFFFF);
    EXPECT_EQ(KIVFont::Load(hugeData.Source(), 0, false), nullptr);
    ResourceBytes negativeData = FontFile(0, 2, kGlyphs);
    negativeData.Put(288 + 4 + 1024, -5);
    EXPECT_EQ(KIVFont::Load(negativeData.Source(), 0, false), nullptr);
    ResourceBytes cut = FontFile(0, 2, kGlyphs);
    cut.bytes.resize(cut.Size() - 3);
    EXPECT_EQ(KIVFont::Load(cut.Source(), 0, false), nullptr);
}

TEST(KIVFontTest, DamagedGlyphsAndWidthsDrawNothing) {
    ResourceBytes file = FontFile(0, 2, kGlyphs);
    const std::size_t offsets = 288 + 4 + 1024 + 4;
    file.Put(offsets + 4 * 'A', 0x7FFFFFF0);
    file.Put(offsets + 4 * '?', -8);
    file.Put(288 + 4 + 4 * 'C', -3);
    file.Put(288 + 4 + 4 * 'D', 5000);
    auto font = KIVFont::Load(file.Source(), 0, false);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->Advance(u'A'), 2);
    EXPECT_EQ(font->Glyph(u'A'), nullptr);
    EXPECT_EQ(font->Glyph(u'?'), nullptr);
    EXPECT_EQ(font->Advance(u'C'), 0);
    EXPECT_EQ(font->Advance(u'D'), 0);
}

TEST(KIVFontTest, ADamagedExtensionIsLeftOut) {
    ResourceBytes file = FontFile(0, 2, kGlyphs, true);
    file.bytes.resize(file.Size() - 1);
    auto font = KIVFont::Load(file.Source(), 0, true);
    ASSERT_NE(font, nullptr);
    EXPECT_FALSE(font->HasExtension());
    EXPECT_EQ(font->Advance(u'\u3042'), 1);
}
