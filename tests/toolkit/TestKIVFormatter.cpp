#include "toolkit/KIVFormatter.h"
#include "toolkit/KIVString.h"

#include "TestMachine.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

KIVString F(const char16_t* format, ...) {
    va_list args;
    va_start(args, format);
    KIVString s;
    s.FormatV(format, args);
    va_end(args);
    return s;
}

int Estimate(const char16_t* format, ...) {
    va_list args;
    va_start(args, format);
    const int n = KIVFormatter::EstimateLength(format, args);
    va_end(args);
    return n;
}

int Into(char16_t* out, int size, const char16_t* format, ...) {
    va_list args;
    va_start(args, format);
    const int n = KIVFormatter::Format(out, size, format, args);
    va_end(args);
    return n;
}

TEST(KIVFormatter, TextsFollowTheWideConventions) {
    TestMachine machine;
    const char16_t* nullWide = nullptr;
    EXPECT_EQ(F(u"[%s]", nullWide), u"[(null)]");
    EXPECT_EQ(F(u"[%S|%hs]", static_cast<const char*>(nullptr), static_cast<const char*>(nullptr)),
              u"[(null)|(null)]");
    EXPECT_EQ(F(u"%s %S %hs %ls %ws", u"w1", "n1", "n2", u"w2", u"w3"), u"w1 n1 n2 w2 w3");
    EXPECT_EQ(F(u"%S", "caf\xe9"), u"caf\u00e9");
    EXPECT_EQ(F(u"%c%C%hc%lc", u'\u65e5', 'b', 'c', u'd'), u"\u65e5bcd");
    EXPECT_EQ(F(u"[%5s|%-5s|%.2s|%5.1S]", u"ab", u"ab", u"abcdef", "xyz"), u"[   ab|ab   |ab|    x]");
    EXPECT_EQ(F(u"[%*s|%*s]", 4, u"a", -4, u"b"), u"[   a|b   ]");
    EXPECT_EQ(F(u"100%% %n done", static_cast<int*>(nullptr)), u"100%  done");
}

TEST(KIVFormatter, Integers) {
    EXPECT_EQ(F(u"%d|%i|%u|%x|%X|%o", -42, 7, -1, 255, 255, 8), u"-42|7|4294967295|ff|FF|10");
    EXPECT_EQ(F(u"[%5d|%-5d|%05d|%+d|% d|%.3d|%08.3d]", 42, 42, -42, 42, 42, 7, 7),
              u"[   42|42   |-0042|+42| 42|007|     007]");
    EXPECT_EQ(F(u"%#x|%#X|%#o|%#x|%.0d|", 255, 255, 8, 0, 0), u"0xff|0XFF|010|0||");
    EXPECT_EQ(F(u"%I64d|%I64u|%ld|%hd|%hu", INT64_MIN, UINT64_MAX, 123, 65537, 65535),
              u"-9223372036854775808|18446744073709551615|123|1|65535");
    EXPECT_EQ(F(u"%*.*d|%-*d|", 6, 3, 5, 3, 1), u"   005|1  |");
}

TEST(KIVFormatter, FloatingPointAndPointers) {
    EXPECT_EQ(F(u"%.2f|%10.3f|%-8.1f|%08.2f|%+.1e|%g|%G", 3.14159, 2.5, 1.25, -1.5, 12345.0, 0.0001, 1e-10),
              u"3.14|     2.500|1.2     |-0001.50|+1.2e+04|0.0001|1E-10");
    const KIVString pointer = F(u"%p", reinterpret_cast<void*>(0xABCDu));
    EXPECT_EQ(pointer.GetLength(), static_cast<int>(2 * sizeof(void*)));
    EXPECT_EQ(pointer.Right(5), u"0ABCD");
}

TEST(KIVFormatter, EstimateFollowsTheClassicScan) {
    EXPECT_EQ(Estimate(u"ab%%c"), 4);
    EXPECT_EQ(Estimate(u"%d", 1), 32);
    EXPECT_EQ(Estimate(u"%#40.10x", 1), 52);
    EXPECT_EQ(Estimate(u"%I64d%c", INT64_C(1), u'x'), 34);
    EXPECT_EQ(Estimate(u"%s|%s", u"abc", static_cast<const char16_t*>(nullptr)), 10);
    EXPECT_EQ(Estimate(u"%s%.2s%10s%S", u"", u"abcdef", u"abc", "narrow"), 1 + 2 + 10 + 6);
    EXPECT_EQ(Estimate(u"%*s", -12, u"abc"), 12);
    EXPECT_EQ(Estimate(u"%e%g", 1.0, 1.0), 256);
    EXPECT_EQ(Estimate(u"%.2f", 1.0), 314);
    EXPECT_EQ(Estimate(u"%400.2f", 1.0), 402); // a wide field is not cut
    EXPECT_EQ(Estimate(u"%n%y", static_cast<int*>(nullptr)), 1);
    EXPECT_EQ(Estimate(u"%*d", 1 << 30, 1), KIVFormatter::kMaxEstimate);
}

TEST(KIVFormatter, NeverWritesPastTheBuffer) {
    char16_t buffer[8];
    for (char16_t& c : buffer)
        c = u'#';
    EXPECT_EQ(Into(buffer, 5, u"%s and %d", u"abcdef", 12345), 4);
    EXPECT_EQ(KIVString(buffer), u"abcd");
    EXPECT_EQ(buffer[5], u'#');
    EXPECT_EQ(Into(buffer, 5, u"%*d", 1 << 30, 7), 4);
    EXPECT_EQ(KIVString(buffer), u"    ");
    EXPECT_EQ(Into(buffer, 1, u"abc"), 0);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(buffer[1], u' ');
    EXPECT_EQ(Into(buffer, 0, u"abc"), 0);
}

TEST(KIVFormatter, StringFormatReplacesTheValue) {
    KIVString s(u"old text that is long");
    EXPECT_EQ(s.Format(u"%s-%d", u"new", 5), 5);
    EXPECT_EQ(s, u"new-5");
    // The value's own text as an argument stays readable while formatting.
    EXPECT_EQ(s.Format(u"<%s><%s>", static_cast<const char16_t*>(s), static_cast<const char16_t*>(s)), 14);
    EXPECT_EQ(s, u"<new-5><new-5>");
    EXPECT_EQ(s.Format(u"%s", u""), 0);
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(s.Format(u"%0*d", 2000, 1), 2000);
    EXPECT_EQ(s.Data()->capacity, 2000); // the estimate, width + precision, fits exactly
    EXPECT_EQ(s.Right(2), u"01");
}

} // namespace
