// The licence a vendor keeps in UTF-8 reaches the medium in the licence
// page's form (FE FF, 16-bit big-endian characters, CR LF); UTF-16 files
// with their mark are taken as they are or turned around, and a file that is
// no UTF-8 text is refused with its line.
#include "tools/kivtool/DistLicenceText.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(DistLicenceText, Utf8BecomesBigEndianWithCrLfAndItsMarkGoes) {
    std::string out, error;
    ASSERT_TRUE(LicencePageText("\xEF\xBB\xBFOK\n\xE6\x97\xA5\r\n", &out, &error)) << error;
    EXPECT_EQ(out, "\xFE\xFF\0O\0K\0\r\0\n\x65\xE5\0\r\0\n"s);
    ASSERT_TRUE(LicencePageText("", &out, &error));
    EXPECT_EQ(out, "\xFE\xFF");
}

TEST(DistLicenceText, Utf16IsKeptOrTurnedAroundAndOtherBytesAreRefusedWithTheirLine) {
    std::string out, error;
    ASSERT_TRUE(LicencePageText("\xFE\xFF\0L"s, &out, &error));
    EXPECT_EQ(out, "\xFE\xFF\0L"s);
    ASSERT_TRUE(LicencePageText("\xFF\xFEL\0"s, &out, &error));
    EXPECT_EQ(out, "\xFE\xFF\0L"s);
    EXPECT_FALSE(LicencePageText("line one\nline two \xE9t\xE9\n", &out, &error));
    EXPECT_NE(error.find("line 2"), std::string::npos) << error;
}
