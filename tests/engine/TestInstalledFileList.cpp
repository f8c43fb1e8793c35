#include "engine/InstalledFileList.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

TEST(InstalledFileList, KeepsOrderAndCutsLongPaths) {
    InstalledFileList list;
    list.Add("C:\\a.txt");
    list.Add(std::string(600, 'p').c_str());
    list.Add(nullptr);
    ASSERT_EQ(3, list.GetSize());
    EXPECT_STREQ("C:\\a.txt", list.GetAt(0));
    EXPECT_EQ(519u, std::strlen(list.GetAt(1)));
    EXPECT_STREQ("", list.GetAt(2));
    EXPECT_EQ(nullptr, list.GetAt(3));
    EXPECT_EQ(nullptr, list.GetAt(-1));
}
