#include "TestMachine.h"
#include "platform/WinBase.h"

#include <string>

namespace {

std::u16string ToWide(UINT codePage, const std::string& text) {
    int needed =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::u16string out(static_cast<std::size_t>(needed), u'\0');
    if (needed > 0)
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(),
                            needed);
    return out;
}

std::string ToNarrow(UINT codePage, const std::u16string& text, BOOL* usedDefault = nullptr) {
    int needed = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, usedDefault);
    std::string out(static_cast<std::size_t>(needed), '\0');
    if (needed > 0)
        WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(),
                            needed, nullptr, usedDefault);
    return out;
}

MachineSettings Japanese() {
    MachineSettings settings;
    settings.codePage = 932;
    settings.languageId = 0x0411;
    return settings;
}

} // namespace

TEST_F(MachineTest, Cp1252RoundTripsLatinTextAndEuro) {
    EXPECT_EQ(GetACP(), 1252u);
    std::string narrow = "Caf\xE9 \x80 \xFC";
    std::u16string wide = ToWide(CP_ACP, narrow);
    EXPECT_EQ(wide, u"Café € ü");
    EXPECT_EQ(ToNarrow(CP_ACP, wide), narrow);
}

TEST_F(MachineTest, Cp1252ReplacesWhatItCannotHold) {
    BOOL usedDefault = FALSE;
    EXPECT_EQ(ToNarrow(CP_ACP, u"a\u65E5b\U0001F600c", &usedDefault), "a?b?c");
    EXPECT_TRUE(usedDefault);
    // The five bytes without a character in 1252 are the C1 controls of the
    // same value both ways, as Windows converts them: valid text.
    const std::string gaps = "x\x81\x8D\x8F\x90\x9Dy";
    EXPECT_EQ(ToWide(CP_ACP, gaps), u"x\u0081\u008D\u008F\u0090\u009Dy");
    WCHAR out[8];
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, "x\x81", 2, out, 8), 2);
    usedDefault = FALSE;
    EXPECT_EQ(ToNarrow(CP_ACP, u"x\u0081\u008D\u008F\u0090\u009Dy", &usedDefault), gaps);
    EXPECT_FALSE(usedDefault);
    // 0x81 0x20 is no character of 932: a lead byte before a blank.
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, "x\x81\x20", 3, out, 8), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
}

TEST(CodePage, Cp932RoundTripsJapanese) {
    TestMachine machine(Japanese());
    EXPECT_EQ(GetACP(), 932u);
    std::u16string wide = u"日本語テキスト abc";
    std::string narrow = ToNarrow(CP_ACP, wide);
    EXPECT_EQ(narrow.substr(0, 2), "\x93\xFA"); // 日 in Shift JIS
    EXPECT_EQ(ToWide(CP_ACP, narrow), wide);
    EXPECT_EQ(ToNarrow(CP_ACP, u"\u00E9"), "?");    // é is not in 932
    EXPECT_EQ(ToWide(CP_ACP, "a\x93"), u"a\uFFFD"); // lead byte without its trail
}

TEST_F(MachineTest, Utf8HandlesSurrogatesAndBadBytes) {
    EXPECT_EQ(ToNarrow(CP_UTF8, u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(ToWide(CP_UTF8, "\xF0\x9F\x98\x80"), u"\U0001F600");
    std::u16string lone = {u'a', static_cast<char16_t>(0xD800), u'b'};
    EXPECT_EQ(ToNarrow(CP_UTF8, lone), "a\xEF\xBF\xBD"
                                       "b");
    EXPECT_EQ(ToWide(CP_UTF8, "a\xFF"
                              "b"),
              u"a\uFFFDb");
}

TEST_F(MachineTest, MinusOneLengthCountsTheTerminator) {
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, nullptr, 0), 4);
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"abc", -1, nullptr, 0, nullptr, nullptr), 4);
    WCHAR wide[4] = {1, 1, 1, 1};
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, wide, 4), 4);
    EXPECT_EQ(std::u16string(wide), u"abc");
}

TEST_F(MachineTest, TooSmallOutputFailsCutAndTerminated) {
    WCHAR wide[3];
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abcdef", -1, wide, 3), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::u16string(wide), u"ab");
    char narrow[3];
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"abcdef", -1, narrow, 3, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_STREQ(narrow, "ab");
}

TEST(CodePage, Cp932CutNeverSplitsADoubleByteCharacter) {
    TestMachine machine(Japanese());
    char narrow[4];
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"a日本", -1, narrow, 4, nullptr, nullptr), 0);
    EXPECT_EQ(std::string(narrow), "a\x93\xFA");
    char small[3];
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"a日本", -1, small, 3, nullptr, nullptr), 0);
    EXPECT_EQ(std::string(small), "a");
}

TEST_F(MachineTest, BadArgumentsAreRefused) {
    WCHAR wide[4];
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 0, wide, 4), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, nullptr, 3, wide, 4), 0);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 3, nullptr, 4), 0);
    EXPECT_EQ(MultiByteToWideChar(123456, 0, "abc", 3, wide, 4), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}
