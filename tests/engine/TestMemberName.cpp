#include "engine/MemberName.h"

#include <gtest/gtest.h>

TEST(MemberName, PlainAndSubFolderNamesAreSafe) {
    for (const char16_t* name :
         {u"readme.txt", u"sub\\b.txt", u"a/b/c.dll", u".hidden", u"..name", u"name..", u"x.\\y"})
        EXPECT_TRUE(IsSafeMemberName(name)) << std::u16string(name).size();
}

TEST(MemberName, NamesThatLeaveTheFolderAreRefused) {
    for (const char16_t* name : {u"", u"..", u"..\\x", u"a\\..\\x", u"a/../x", u"a\\..", u"\\x",
                                 u"/x", u"C:x", u"C:\\x", u"x:stream", u"...\\x", u". .\\x"})
        EXPECT_FALSE(IsSafeMemberName(name)) << std::u16string(name).size();
    EXPECT_FALSE(IsSafeMemberName(nullptr));
}
