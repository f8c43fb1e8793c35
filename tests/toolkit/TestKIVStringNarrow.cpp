#include "toolkit/KIVString.h"

#include "TestMachine.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

MachineSettings WithCodePage(unsigned codePage) {
    MachineSettings settings;
    settings.codePage = codePage;
    return settings;
}

TEST(KIVStringNarrow, WesternCodePageBothWays) {
    TestMachine machine(WithCodePage(1252));
    KIVString s("caf\xe9 \x80 5");
    EXPECT_EQ(s, u"caf\u00e9 \u20ac 5");
    EXPECT_EQ(s.Data()->capacity, 64);
    char narrow[32];
    EXPECT_TRUE(s.ToNarrow(narrow, sizeof narrow));
    EXPECT_STREQ(narrow, "caf\xe9 \x80 5");

    s = "";
    EXPECT_TRUE(s.IsEmpty());
    s = static_cast<const char*>(nullptr);
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(KIVString(static_cast<const char*>(nullptr)).Data(), KIVString().Data());
}

TEST(KIVStringNarrow, JapaneseCodePageBothWays) {
    TestMachine machine(WithCodePage(932));
    const char* sjis = "\x93\xfa\x96\x7b-\xb1"; // two double-byte kanji, "-", a half-width katakana
    KIVString s(sjis);
    EXPECT_EQ(s, u"\u65e5\u672c-\uff71");
    EXPECT_EQ(s.GetLength(), 4); // the buffer was sized for 6 bytes, the length is what converted

    KIVString assigned(u"a longer text than the Japanese one");
    const void* before = assigned.Data();
    assigned = sjis;
    EXPECT_EQ(assigned, s);
    EXPECT_EQ(assigned.Data(), before); // private and large enough: reused

    char narrow[16];
    EXPECT_TRUE(s.ToNarrow(narrow, sizeof narrow));
    EXPECT_STREQ(narrow, sjis);
}

TEST(KIVStringNarrow, ToNarrowCutsAndTerminates) {
    TestMachine machine(WithCodePage(1252));
    const KIVString s(u"Program Files");
    char small[8];
    std::memset(small, 'X', sizeof small);
    EXPECT_FALSE(s.ToNarrow(small, sizeof small));
    EXPECT_STREQ(small, "Program");
    char exact[14];
    EXPECT_TRUE(s.ToNarrow(exact, sizeof exact));
    EXPECT_STREQ(exact, "Program Files");
    EXPECT_FALSE(s.ToNarrow(small, 0));
    EXPECT_FALSE(s.ToNarrow(nullptr, 10));
    char one[1] = {'X'};
    EXPECT_FALSE(s.ToNarrow(one, 1));
    EXPECT_EQ(one[0], 0);
}

TEST(KIVStringNarrow, ToNarrowNeverSplitsADoubleByteCharacter) {
    TestMachine machine(WithCodePage(932));
    const KIVString s(u"\u65e5\u672c");
    char buffer[5] = {'X', 'X', 'X', 'X', 'X'};
    EXPECT_FALSE(s.ToNarrow(buffer, 4)); // needs 5 bytes
    EXPECT_STREQ(buffer, "\x93\xfa");
    EXPECT_EQ(buffer[4], 'X');
}

} // namespace
