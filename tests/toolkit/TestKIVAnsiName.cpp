// Paths in ANSI text taken apart by characters. In code page 932 the
// characters 表 (95 5C), ソ (83 5C) and 能 (94 5C) end in the byte of the
// backslash; none of them is ever a separator.
#include "Japanese932.h"
#include "TestMachine.h"
#include "toolkit/KIVAnsiName.h"

#include <string>
#include <vector>

namespace {

const std::string kHyo = "\x95\x5C";                // 表
const std::string kSo = "\x83\x5C";                 // ソ
const std::string kNou = "\x94\x5C";                // 能
const std::string kSoft = kSo + "\x83\x74\x83\x67"; // ソフト

class AnsiName932 : public ::testing::Test {
protected:
    TestMachine machine{Japanese932Settings()};
};

using Names = std::vector<std::string_view>;
using KIVAnsiName::Separators;

} // namespace

TEST_F(AnsiName932, TheLastSeparatorIsNeverATrailByte) {
    EXPECT_EQ(KIVAnsiName::LastSeparator("C:\\" + kHyo + ".dll"), 2u);
    EXPECT_EQ(KIVAnsiName::LastSeparator(kSoft), KIVAnsiName::npos);
    EXPECT_EQ(KIVAnsiName::LastSeparator("a/" + kHyo, Separators::kBoth), 1u);
    EXPECT_EQ(KIVAnsiName::LastSeparator("a/" + kHyo), KIVAnsiName::npos);
    EXPECT_EQ(KIVAnsiName::FirstSeparator(kSo + "\\" + kHyo), 2u);
    EXPECT_EQ(KIVAnsiName::Leaf("C:\\Windows\\System\\" + kHyo + ".dll"), kHyo + ".dll");
    EXPECT_EQ(KIVAnsiName::Leaf("C:\\tmp/" + kSoft + ".dll", Separators::kBoth), kSoft + ".dll");
}

TEST_F(AnsiName932, ComponentsKeepEmptyNamesAndWholeCharacters) {
    const std::string key = "HKEY_LOCAL_MACHINE\\Software\\" + kSoft + "\\" + kHyo;
    EXPECT_EQ(KIVAnsiName::Components(key), (Names{"HKEY_LOCAL_MACHINE", "Software", kSoft, kHyo}));
    EXPECT_EQ(KIVAnsiName::Components("A\\\\" + kHyo + "\\"), (Names{"A", "", kHyo, ""}));
    EXPECT_EQ(KIVAnsiName::CountSeparators(key), 3u);
}

TEST_F(AnsiName932, TrailingSeparatorsAreCharactersOfTheirOwn) {
    const std::string folder = "C:\\Program Files\\\x8A\x67\x92\xA3\x8B\x40" + kNou; // 拡張機能
    EXPECT_FALSE(KIVAnsiName::EndsInSeparator(folder));
    EXPECT_EQ(KIVAnsiName::WithoutTrailingSeparators(folder), folder);
    EXPECT_EQ(KIVAnsiName::WithoutTrailingSeparators(folder + "\\\\"), folder);
    EXPECT_EQ(KIVAnsiName::WithoutTrailingSeparators("C:\\"), "C:\\");
    EXPECT_EQ(KIVAnsiName::Join(folder, "x.txt"), folder + "\\x.txt");
    EXPECT_EQ(KIVAnsiName::Join("C:\\", "x.txt"), "C:\\x.txt");
    EXPECT_EQ(KIVAnsiName::Join("", "x.txt"), "x.txt");
}

TEST_F(AnsiName932, NormalParentAndKeyWalkCharacters) {
    EXPECT_EQ(KIVAnsiName::Normal("C:\\\\Program\\" + kHyo + "\\"), "C:\\Program\\" + kHyo);
    EXPECT_EQ(KIVAnsiName::Normal("C:\\\\"), "C:\\");
    EXPECT_EQ(KIVAnsiName::Parent("C:\\Program\\" + kHyo), "C:\\Program");
    EXPECT_EQ(KIVAnsiName::Parent("C:\\" + kHyo), "C:\\");
    EXPECT_EQ(KIVAnsiName::Parent("C:\\"), "");
    EXPECT_EQ(KIVAnsiName::Parent(kHyo), "");
    // A short relative path has a parent too; only a drive's root has none.
    EXPECT_EQ(KIVAnsiName::Parent("a\\b"), "a");
    EXPECT_EQ(KIVAnsiName::Parent(kHyo + "\\b"), kHyo);
    // 0x83 0x61 is a katakana letter whose trail byte is a lower-case "a".
    EXPECT_EQ(KIVAnsiName::Key("c:\\a\x83\x61"), "C:\\A\x83\x61");
}

TEST_F(AnsiName932, InsideMeansBelowASeparatorNotAfterATrailByte) {
    const std::string folder = "C:\\Program\\" + kHyo;
    EXPECT_TRUE(KIVAnsiName::IsInside(folder + "\\a.txt", folder));
    EXPECT_TRUE(KIVAnsiName::IsInside("c:\\program\\" + kHyo, folder));
    EXPECT_FALSE(KIVAnsiName::IsInside(folder + "words.txt", folder));
    EXPECT_FALSE(KIVAnsiName::IsInside("C:\\Program\\" + kSo, "C:\\Program\\\x83"));
    EXPECT_TRUE(KIVAnsiName::IsInside("C:\\x", "C:\\"));
}

TEST(AnsiName1252, EveryBackslashByteSeparates) {
    TestMachine western;
    EXPECT_EQ(KIVAnsiName::Components("A\\" + kSo), (Names{"A", "\x83", ""}));
    EXPECT_EQ(KIVAnsiName::Leaf("C:\\" + kHyo + "x"), "x");
    EXPECT_EQ(KIVAnsiName::Normal("C:\\\xE9\\\\"), "C:\\\xE9");
}
