#include "ShortcutFixture.h"
#include "engine/StartupShortcut.h"

namespace {
constexpr const char* kCommonLink =
    "C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\Startup\\kiv.LNK";
constexpr const char* kProgram = "Program Files/Kiv/kiv.exe";
} // namespace

TEST_F(ShortcutTest, StartupShortcutGoesToTheCommonStartupFolderAndIsListed) {
    Install(kProgram);
    InstalledFileList files;
    ASSERT_TRUE(CreateStartupShortcut(u"C:\\Program Files\\Kiv", "kiv", files));
    ASSERT_EQ(files.GetSize(), 1);
    EXPECT_STREQ(files.GetAt(0), kCommonLink);
    const ShellLinkData link = ReadLink(std::string(kCommonPrograms) + "Startup/kiv.LNK");
    EXPECT_EQ(link.ansiTargetPath, "C:\\Program Files\\Kiv\\kiv.exe");
    EXPECT_EQ(link.description, u"Shortcut to kiv");
}

TEST_F(ShortcutTest, WithoutCommonStartupTheUsersStartupFolderIsUsed) {
    Install(kProgram);
    SetShellFolder(HKEY_LOCAL_MACHINE, "Common Startup", nullptr);
    InstalledFileList files;
    ASSERT_TRUE(CreateStartupShortcut(u"C:\\Program Files\\Kiv", "kiv", files));
    EXPECT_TRUE(Exists(std::string(kUserPrograms) + "Startup/kiv.LNK"));
    EXPECT_FALSE(Exists(std::string(kCommonPrograms) + "Startup/kiv.LNK"));
}

TEST_F(ShortcutTest, StartupShortcutIsListedEvenWhenTheLinkFails) {
    Install(kProgram);
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

// The product's program was not chosen: a start-up link to it would fail at
// every start of Windows. Nothing is made or listed; the observer hears why.
TEST_F(ShortcutTest, NoStartupShortcutIsMadeToAProgramThatWasNotInstalled) {
    InstalledFileList files;
    LinkRecorder recorder;
    EXPECT_TRUE(CreateStartupShortcut(u"C:\\Program Files\\Kiv", "kiv", files, nullptr, &recorder));
    EXPECT_EQ(files.GetSize(), 0);
    EXPECT_FALSE(Exists(std::string(kCommonPrograms) + "Startup/kiv.LNK"));
    ASSERT_EQ(recorder.leftOut.size(), 1u);
    EXPECT_EQ(recorder.leftOut[0].first, KIVString(kCommonLink));
    EXPECT_EQ(recorder.leftOut[0].second, "C:\\Program Files\\Kiv\\kiv.exe");
    EXPECT_TRUE(recorder.made.empty());
}
