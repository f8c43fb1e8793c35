#include "ShortcutFixture.h"
#include "engine/StartupShortcut.h"

namespace {
constexpr const char* kCommonLink =
    "C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\Startup\\kiv.LNK";
}

TEST_F(ShortcutTest, StartupShortcutGoesToTheCommonStartupFolderAndIsListed) {
    InstalledFileList files;
    ASSERT_TRUE(CreateStartupShortcut(u"C:\\Program Files\\Kiv", "kiv", files));
    ASSERT_EQ(files.GetSize(), 1);
    EXPECT_STREQ(files.GetAt(0), kCommonLink);
    const ShellLinkData link = ReadLink(std::string(kCommonPrograms) + "Startup/kiv.LNK");
    EXPECT_EQ(link.ansiTargetPath, "C:\\Program Files\\Kiv\\kiv.exe");
    EXPECT_EQ(link.description, u"Shortcut to kiv");
}

TEST_F(ShortcutTest, WithoutCommonStartupTheUsersStartupFolderIsUsed) {
    SetShellFolder(HKEY_LOCAL_MACHINE, "Common Startup", nullptr);
    InstalledFileList files;
    ASSERT_TRUE(CreateStartupShortcut(u"C:\\Program Files\\Kiv", "kiv", files));
    EXPECT_TRUE(Exists(std::string(kUserPrograms) + "Startup/kiv.LNK"));
    EXPECT_FALSE(Exists(std::string(kCommonPrograms) + "Startup/kiv.LNK"));
}

TEST_F(ShortcutTest, StartupShortcutIsListedEvenWhenTheLinkFails) {
    SetShellFolder(HKEY_LOCAL_MACHINE, "Common Startup", "C:\\Missing\\Startup");
    InstalledFileList files;
    EXPECT_FALSE(CreateStartupShortcut(u"C:\\Program Files\\Kiv", "kiv", files));
    ASSERT_EQ(files.GetSize(), 1);
    EXPECT_STREQ(files.GetAt(0), "C:\\Missing\\Startup\\kiv.LNK");
}

TEST_F(ShortcutTest, AProgramNameThatLeavesTheFolderIsNeitherMadeNorListed) {
    InstalledFileList files;
    EXPECT_FALSE(CreateStartupShortcut(u"C:\\Program Files\\Kiv", "..\\..\\kiv", files));
    EXPECT_EQ(files.GetSize(), 0);
    EXPECT_FALSE(Exists("Documents and Settings/All Users/Start Menu/kiv.LNK"));
}
