// Paths cut in the middle to a width, on a Japanese machine (code page 932),
// where 表 (95 5C) ends in the byte of the backslash: it is kept or dropped
// whole. Every ASCII character is 1 pixel wide and 表 2 pixels.
#include "FontBytes.h"
#include "Japanese932.h"
#include "TestMachine.h"
#include "toolkit/KIVPathEllipsis.h"
#include "toolkit/resources/KIVFont.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kHyo = "\x95\x5C"; // 表

class KIVPathEllipsisTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::map<int, TestGlyph> glyphs = {{0x8868, {2, {255, 255}}}};
        for (const char ch : std::string("abcdefghst.\\:"))
            glyphs[static_cast<unsigned char>(ch)] = {1, {255}};
        file = FontFile(0, 1, glyphs, true);
        font = KIVFont::Load(file.Source(), 0, true);
        ASSERT_NE(font, nullptr);
    }
    std::u16string Fit(const std::string& path, int width) const {
        return std::u16string(
            static_cast<const char16_t*>(KIVPathEllipsis(path.c_str(), *font, width)));
    }

    TestMachine machine{Japanese932Settings()};
    ResourceBytes file{0, 0};
    std::unique_ptr<KIVFont> font;
};

} // namespace

TEST_F(KIVPathEllipsisTest, APathThatFitsIsShownWhole) {
    EXPECT_EQ(Fit("ab\\" + kHyo + ".dat", 9), u"ab\\\u8868.dat");
    EXPECT_EQ(Fit("", 0), u"");
}

TEST_F(KIVPathEllipsisTest, TheMiddleGivesWayAndTheEndKeepsTheExtraCharacter) {
    // 13 pixels wide: at 9 three characters stay on each side of "...", at
    // 10 the end gets the seventh.
    EXPECT_EQ(Fit("abcd\\efgh.dat", 9), u"abc...dat");
    EXPECT_EQ(Fit("abcd\\efgh.dat", 10), u"abc....dat");
}

TEST_F(KIVPathEllipsisTest, DoubleByteCharactersAreKeptOrDroppedWhole) {
    // ab\ and six 表: 15 pixels. A cut by bytes would split a 表 and leave
    // its trail byte, a backslash.
    const std::string path = "ab\\" + kHyo + kHyo + kHyo + kHyo + kHyo + kHyo;
    EXPECT_EQ(Fit(path, 10), u"ab...\u8868\u8868");
    EXPECT_EQ(Fit(path, 8), u"a...\u8868\u8868") << "one pixel short of keeping b";
    EXPECT_EQ(Fit(kHyo + kHyo + kHyo + "\\a", 7), u"\u8868...\\a");
}

TEST_F(KIVPathEllipsisTest, NoRoomLeavesTheEllipsisAlone) {
    EXPECT_EQ(Fit("abcd\\efgh.dat", 3), u"...");
    EXPECT_EQ(Fit("abcd\\efgh.dat", 1), u"...");
}
