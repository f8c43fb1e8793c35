#include "engine/InstalledFileList.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

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

// Texts are packed in blocks: texts that straddle a block's end, and the
// pointers handed out before, stay whole as the list grows and after it is
// emptied and refilled.
TEST(InstalledFileList, ManyPathsStayWholeAcrossBlocks) {
    InstalledFileList list;
    for (int round = 0; round < 2; ++round) {
        std::vector<const char*> early;
        for (int i = 0; i < 5000; ++i) {
            std::string path = "C:\\Program Files\\" +
                               std::string(static_cast<std::size_t>(i % 517), 'x') + "\\" +
                               std::to_string(i);
            list.Add(path.c_str());
            if (i < 10)
                early.push_back(list.GetAt(i));
        }
        ASSERT_EQ(5000, list.GetSize());
        for (int i = 0; i < 5000; ++i) {
            std::string path = "C:\\Program Files\\" +
                               std::string(static_cast<std::size_t>(i % 517), 'x') + "\\" +
                               std::to_string(i);
            ASSERT_EQ(path.substr(0, 519), list.GetAt(i)) << i;
        }
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(early[static_cast<std::size_t>(i)], list.GetAt(i));
        list.RemoveAll();
        EXPECT_EQ(0, list.GetSize());
    }
}

// A list handed on keeps its texts where they were; the list it came from
// starts empty and takes texts again.
TEST(InstalledFileList, AMovedListKeepsItsTextsAndTheOldOneStartsAgain) {
    InstalledFileList list;
    list.Add("C:\\one.txt");
    const char* one = list.GetAt(0);
    InstalledFileList moved = std::move(list);
    EXPECT_EQ(one, moved.GetAt(0));
    EXPECT_STREQ("C:\\one.txt", moved.GetAt(0));
    list.Add("C:\\two.txt");
    ASSERT_EQ(1, list.GetSize());
    EXPECT_STREQ("C:\\two.txt", list.GetAt(0));
}
