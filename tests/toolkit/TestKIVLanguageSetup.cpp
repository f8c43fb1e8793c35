// What the application object does for its language and its documents before
// any window exists: the language of the user's default, the recorded
// language in the registry or a registry file, the chosen language's files
// put beside the program, the recent-file list, and help opened in the
// registered HTML viewer.
#include "HostFiles.h"
#include "TestMachine.h"
#include "platform/Windows.h"
#include "toolkit/KIVHtmlHelp.h"
#include "toolkit/KIVLanguageFolder.h"
#include "toolkit/KIVLanguageNames.h"
#include "toolkit/KIVLanguageSetting.h"
#include "toolkit/KIVRecentFiles.h"
#include "toolkit/KIVRegistry.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

TEST(KIVLanguageNamesTest, TheUsersLanguageByItsPrimaryLanguage) {
    EXPECT_STREQ(KIVLanguageNameOfUser(0x0403), "Spanish"); // Catalan
    EXPECT_STREQ(KIVLanguageNameOfUser(0x0C0A), "Spanish");
    EXPECT_STREQ(KIVLanguageNameOfUser(0x0407), "German");
    EXPECT_STREQ(KIVLanguageNameOfUser(0x0807), "German"); // Swiss German
    EXPECT_STREQ(KIVLanguageNameOfUser(0x040C), "French");
    EXPECT_STREQ(KIVLanguageNameOfUser(0x0410), "Italian");
    EXPECT_STREQ(KIVLanguageNameOfUser(0x0411), "Japanese");
    EXPECT_STREQ(KIVLanguageNameOfUser(0x0413), "English"); // Dutch
    EXPECT_STREQ(KIVLanguageName(5), "Spanish");
    EXPECT_STREQ(KIVLanguageName(6), "English");
    EXPECT_STREQ(KIVLanguageName(-1), "English");
}

class KIVLanguageSetupTest : public MachineTest {};

// The value is written only under an application key that exists (it is
// opened for reading), and the version key is made; without the
// application's key no key is made at all.
TEST_F(KIVLanguageSetupTest, TheRecordedLanguageInTheRegistryAndInARegistryFile) {
    for (const char16_t* file : {static_cast<const char16_t*>(nullptr), u"talvic.reg"}) {
        KIVWriteLanguageSetting("Talvic", "1.0", "German", file);
        EXPECT_EQ(KIVReadLanguageSetting("Talvic", "1.0", file), "") << "no application key";
        HKEY key = nullptr;
        if (KIVRegOpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, &key, file) == 0) {
            HKEY maker = nullptr;
            EXPECT_NE(KIVRegOpenKey(key, "Kiv software", 0, KEY_READ, &maker, file), 0)
                << "a maker's key left empty";
            KIVRegCloseKey(key, file);
        }
        if (!file) {
            ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kiv software\\Talvic", &key),
                      ERROR_SUCCESS);
            RegCloseKey(key);
        } else {
            HKEY software = nullptr, maker = nullptr;
            ASSERT_EQ(
                KIVRegOpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_ALL_ACCESS, &software, file),
                0);
            ASSERT_EQ(KIVRegOpenKey(software, "Kiv software", 0, KEY_ALL_ACCESS, &maker, file), 0);
            ASSERT_EQ(KIVRegOpenKey(maker, "Talvic", 0, KEY_ALL_ACCESS, &key, file), 0);
        }
        KIVWriteLanguageSetting("Talvic", "1.0", "German", file);
        EXPECT_EQ(KIVReadLanguageSetting("Talvic", "1.0", file), "German");
        KIVWriteLanguageSetting("Talvic", "1.0", "Japanese", file);
        EXPECT_EQ(KIVReadLanguageSetting("Talvic", "1.0", file), "Japanese");
        EXPECT_EQ(KIVReadLanguageSetting("Talvic", "2.0", file), "");
    }
}

TEST_F(KIVLanguageSetupTest, TheChosenLanguagesFilesReplaceThoseBesideTheProgram) {
    const std::string program = machine.DriveC("Talvic/");
    WriteHostFile(program + "Setup.ers", "old");
    WriteHostFile(program + "Languages/German/Setup.ers", "deutsch");
    WriteHostFile(program + "Languages/German/Setup.erf", "schrift");
    WriteHostFile(program + "Languages/French/Setup.ers", "francais");
    KIVTakeLanguageFolder(u"C:\\Talvic\\", "German");
    EXPECT_EQ(ReadHostFile(program + "Setup.ers"), "deutsch");
    EXPECT_EQ(ReadHostFile(program + "Setup.erf"), "schrift");
    EXPECT_FALSE(fs::exists(program + "Languages"));
}

TEST_F(KIVLanguageSetupTest, TheRecentFileListKeepsEachPathOnceNewestFirst) {
    const KIVString list(u"C:\\Talvic\\talvic.mru");
    fs::create_directories(machine.DriveC("Talvic"));
    {
        KIVRecentFiles recent(list);
        for (const char16_t* path : {u"C:\\a.txt", u"C:\\b.txt", u"C:\\A.TXT", u"C:\\c.txt",
                                     u"C:\\d.txt", u"C:\\e.txt", u"C:\\f.txt"})
            recent.Add(KIVString(path));
        EXPECT_EQ(recent.GetSize(), 5);
        EXPECT_EQ(recent.GetAt(0), u"C:\\f.txt");
        // A.TXT replaced a.txt at the front, so b.txt is the one that fell off.
        EXPECT_EQ(recent.GetAt(4), u"C:\\A.TXT");
        EXPECT_TRUE(recent.GetAt(5).IsEmpty());
    }
    EXPECT_EQ(ReadHostFile(machine.DriveC("Talvic/talvic.mru")),
              "C:\\f.txt\r\nC:\\e.txt\r\nC:\\d.txt\r\nC:\\c.txt\r\nC:\\A.TXT\r\n");
    KIVRecentFiles again(list);
    EXPECT_EQ(again.GetSize(), 5);
    EXPECT_TRUE(again.Change(3));
    EXPECT_EQ(again.GetAt(0), u"C:\\c.txt");
    EXPECT_FALSE(again.Change(5));
    again.SetCount(2);
    EXPECT_EQ(ReadHostFile(machine.DriveC("Talvic/talvic.mru")), "C:\\c.txt\r\nC:\\f.txt\r\n");
}

// The registered viewer is a program of the machine (a host script) that
// writes down its command line.
TEST_F(KIVLanguageSetupTest, HelpOpensTheTopicInTheRegisteredHtmlViewer) {
    const std::string viewer = machine.DriveC("Viewer App/view.exe");
    WriteHostFile(viewer, "#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/args.txt\"\n");
    fs::permissions(viewer, fs::perms::owner_exec, fs::perm_options::add);
    WriteHostFile(machine.DriveC("Talvic/Help/Setup_csh.htm"), "<html></html>");
    EXPECT_FALSE(KIVShowHtmlHelp("C:\\Talvic\\Help\\Missing_csh.htm", 3));
    EXPECT_TRUE(KIVShowHtmlHelp("C:\\Talvic\\Help\\Setup_csh.htm", 3)) << "nothing registered";

    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, "htmlfile\\shell\\open\\command", &key),
              ERROR_SUCCESS);
    const char command[] = "\"C:\\Viewer App\\view.exe\" -nohome";
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command), sizeof command);
    RegCloseKey(key);
    EXPECT_TRUE(KIVShowHtmlHelp("C:\\Talvic\\Help\\Setup_csh.htm", -1));
    EXPECT_TRUE(KIVShowHtmlHelp("C:\\Talvic\\Help\\Setup_csh.htm", 42));
    const std::string args = machine.DriveC("Viewer App/args.txt");
    for (int waited = 0; waited < 500 && !fs::exists(args); ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(ReadHostFile(args), "C:\\Talvic\\Help\\Setup_csh.htm#42\n");
}
