// The edit field's text model with a font written byte by byte: widths
// from the font's tables (the double-byte ones for Japanese), tabs, the
// position under a point, scrolling, and the editing rules' edge cases.
#include "FontBytes.h"
#include "toolkit/controls/KIVEditText.h"
#include "toolkit/resources/KIVFont.h"

#include <gtest/gtest.h>

namespace {

class KIVEditTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::map<int, TestGlyph> glyphs = {
            {'?', {4, {}}}, {'a', {5, {}}}, {'b', {7, {}}}, {' ', {3, {}}}, {0x3042, {12, {}}},
        };
        file = FontFile(0, 2, glyphs, true);
        font = KIVFont::Load(file.Source(), 0, false);
        japanese = KIVFont::Load(file.Source(), 0, true);
        ASSERT_TRUE(font && japanese);
    }
    ResourceBytes file{0, 8};
    std::unique_ptr<KIVFont> font;
    std::unique_ptr<KIVFont> japanese;
};

} // namespace

TEST_F(KIVEditTextTest, JapaneseCharactersAreMeasuredByTheDoubleByteTables) {
    KIVEditText text(u"a\u3042b");
    EXPECT_EQ(text.WidthTo(*japanese, 3), 5 + 12 + 7);
    EXPECT_EQ(text.WidthTo(*font, 3), 5 + 4 + 7) << "without the tables: the default width";
    EXPECT_EQ(text.PositionAt(*japanese, 10), 1);
    EXPECT_EQ(text.PositionAt(*japanese, 11), 2) << "right of the wide character's middle";
}

TEST_F(KIVEditTextTest, ATabReachesTheNextStopFromTheFirstVisibleCharacter) {
    KIVEditText text(u"ab\tb");
    EXPECT_EQ(text.WidthTo(*font, 3), 50);
    EXPECT_EQ(text.WidthTo(*font, 4), 57);
    KIVEditText close(std::u16string(7, u'b').append(u"\t").c_str());
    EXPECT_EQ(close.WidthTo(*font, 8), 100) << "a step narrower than a blank goes on";
}

TEST_F(KIVEditTextTest, APointPlacesTheCaretBeforeTheCharacterWhoseMiddleLiesRightOfIt) {
    KIVEditText text(u"ab");
    EXPECT_EQ(text.PositionAt(*font, -3), 0);
    EXPECT_EQ(text.PositionAt(*font, 2), 0) << "5 wide: its middle counts as 3";
    EXPECT_EQ(text.PositionAt(*font, 3), 1);
    EXPECT_EQ(text.PositionAt(*font, 8), 1);
    EXPECT_EQ(text.PositionAt(*font, 9), 2);
    EXPECT_EQ(text.PositionAt(*font, 500), 2);
}

TEST_F(KIVEditTextTest, ScrollingKeepsTheCaretWithinTheWidthBothWays) {
    KIVEditText text(std::u16string(20, u'a').c_str());
    text.ScrollToCaret(*font, 22);
    EXPECT_EQ(text.FirstVisible(), 16);
    EXPECT_EQ(text.WidthTo(*font, 20), 20);
    text.PlaceCaret(3);
    text.ScrollToCaret(*font, 22);
    EXPECT_EQ(text.FirstVisible(), 3);
    text.Home(false);
    EXPECT_EQ(text.FirstVisible(), 0);
}

TEST_F(KIVEditTextTest, TypingAfterAPasteOpensItsOwnUndoRun) {
    KIVEditText text(u"");
    text.Type(u'a');
    text.Paste(KIVString(u"bb"));
    text.Type(u'a');
    EXPECT_EQ(text.Text(), u"abba");
    text.Undo();
    EXPECT_EQ(text.Text(), u"abb") << "typing after the paste opened its own run";
    text.Undo();
    text.Undo();
    EXPECT_EQ(text.Text(), u"abb");
    KIVEditText fresh(u"x");
    fresh.Backspace();
    fresh.Paste(KIVString(u"yy"));
    fresh.Undo();
    EXPECT_EQ(fresh.Text(), u"") << "a paste after deleting takes its own undo state";
}

TEST_F(KIVEditTextTest, WordsAreBoundedByBlanksAndLineFeeds) {
    KIVEditText text(u"ab\nab ab");
    text.PlaceCaret(4);
    text.SelectWord();
    EXPECT_EQ(text.SelectionStart(), 3);
    EXPECT_EQ(text.SelectionLength(), 2);
    text.Left(true, false);
    EXPECT_EQ(text.Caret(), 3);
    text.Right(true, true);
    EXPECT_EQ(text.Caret(), 6);
    EXPECT_EQ(text.SelectionStart(), 3);
    EXPECT_EQ(text.SelectionLength(), 3);
}
