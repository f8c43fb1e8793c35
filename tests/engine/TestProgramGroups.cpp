#include "HostFiles.h"
#include "ShortcutFixture.h"
#include "engine/InstallJournal.h"
#include "engine/ProgramGroups.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

class ProgramGroupsTest : public ShortcutTest {
protected:
    InstallEntry* Entry(InstallPlatform platform, const char* folder, int system = 0) {
        auto& entry = entries.emplace_back(std::make_unique<InstallEntry>());
        entry->platform = platform;
        entry->system = system;
        std::strcpy(entry->destinationFolder, folder);
        return entry.get();
    }
    // A shortcut record; its target is installed unless told otherwise.
    void Shortcut(const char* name, const char* target, InstallEntry* entry,
                  bool installed = true) {
        ShortcutEntry& shortcut = shortcuts.emplace_back();
        std::strcpy(shortcut.shortcutName, name);
        std::strcpy(shortcut.targetFile, target);
        shortcut.entry = entry;
        if (installed)
            Install(TargetPlace(*entry, target));
    }
    static std::string TargetPlace(const InstallEntry& entry, std::string target) {
        std::replace(target.begin(), target.end(), '\\', '/');
        if (entry.system)
            return "Windows/" + target;
        const std::string folder = entry.destinationFolder;
        return "Program Files/Kiv Tools/" + (folder.empty() ? "" : folder + "/") + target;
    }
    ProgramGroupSource Source(const char* group = "Kiv Tools") const {
        return {shortcuts, u"C:\\Program Files\\Kiv Tools", group};
    }

    std::vector<std::unique_ptr<InstallEntry>> entries;
    std::vector<ShortcutEntry> shortcuts;
};

} // namespace

TEST_F(ProgramGroupsTest, EveryShortcutIsMadeInBothGroupsAndMacEntriesMakeNone) {
    Shortcut("Kiv", "kiv.exe", Entry(kPlatformPC, "bin"));
    Shortcut("Readme", "readme.txt", Entry(kPlatformPCMac, ""));
    Shortcut("Helper", "helper.dll", Entry(kPlatformPC, "", 1));
    Shortcut("Mac only", "kiv.app", Entry(kPlatformMac, "mac"));
    ASSERT_TRUE(CreateProgramGroups(Source()));
    for (const std::string programs : {kCommonPrograms, kUserPrograms}) {
        const std::string group = programs + "Kiv Tools/";
        const ShellLinkData kiv = ReadLink(group + "Kiv.LNK");
        EXPECT_EQ(kiv.ansiTargetPath, "C:\\Program Files\\Kiv Tools\\bin\\kiv.exe");
        EXPECT_EQ(kiv.description, u"Shortcut to kiv.exe");
        EXPECT_EQ(ReadLink(group + "Readme.LNK").ansiTargetPath,
                  "C:\\Program Files\\Kiv Tools\\readme.txt");
        EXPECT_EQ(ReadLink(group + "Helper.LNK").ansiTargetPath, "C:\\Windows\\helper.dll");
        EXPECT_FALSE(Exists(group + "Mac only.LNK"));
    }
}

TEST_F(ProgramGroupsTest, AnExistingGroupKeepsItsOtherFilesAndGetsTheNewLinks) {
    Shortcut("Kiv", "kiv.exe", Entry(kPlatformPC, "bin"));
    const std::string group = std::string(kUserPrograms) + "Kiv Tools/";
    std::filesystem::create_directories(machine.DriveC(group));
    std::ofstream(machine.DriveC(group + "Old.LNK")) << "an older link";
    std::ofstream(machine.DriveC(group + "Kiv.LNK")) << "replaced";
    ASSERT_TRUE(CreateGroupShortcuts(u"C:\\Documents and Settings\\User\\Start Menu\\Programs"
                                     u"\\Kiv Tools",
                                     Source()));
    std::ifstream old(machine.DriveC(group + "Old.LNK"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "an older link");
    EXPECT_EQ(ReadLink(group + "Kiv.LNK").description, u"Shortcut to kiv.exe");
}

TEST_F(ProgramGroupsTest, FoldersMissingFromTheRegistryComeFromTheShell) {
    Shortcut("Kiv", "kiv.exe", Entry(kPlatformPC, "bin"));
    SetShellFolder(HKEY_LOCAL_MACHINE, "Common Programs", nullptr);
    SetShellFolder(HKEY_CURRENT_USER, "Programs", "C:\\Elsewhere\\Programs");
    ASSERT_TRUE(CreateProgramGroups(Source()));
    EXPECT_TRUE(Exists(std::string(kCommonPrograms) + "Kiv Tools/Kiv.LNK"));
    EXPECT_TRUE(Exists("Elsewhere/Programs/Kiv Tools/Kiv.LNK"));
    EXPECT_FALSE(Exists(std::string(kUserPrograms) + "Kiv Tools"));
}

TEST_F(ProgramGroupsTest, NamesThatLeaveTheGroupFolderAreRefused) {
    InstallEntry* entry = Entry(kPlatformPC, "bin");
    Shortcut("Kiv", "kiv.exe", entry);
    Shortcut("..\\..\\Evil", "kiv.exe", entry);
    EXPECT_FALSE(CreateProgramGroups(Source()));
    // The record before the refused one keeps its link.
    EXPECT_TRUE(Exists(std::string(kUserPrograms) + "Kiv Tools/Kiv.LNK"));
    EXPECT_FALSE(Exists("Documents and Settings/User/Evil.LNK"));

    shortcuts.erase(shortcuts.begin());
    for (const char* name : {"..", "a/b", "C:Evil", ""}) {
        std::strcpy(shortcuts[0].shortcutName, name);
        EXPECT_FALSE(CreateGroupShortcuts(u"C:\\Group", Source())) << name;
    }
    std::strcpy(shortcuts[0].shortcutName, "Kiv");
    std::strcpy(shortcuts[0].targetFile, "..\\..\\Windows\\system.ini");
    EXPECT_FALSE(CreateGroupShortcuts(u"C:\\Group", Source()));
    EXPECT_FALSE(Exists("Group/Kiv.LNK"));

    std::strcpy(shortcuts[0].targetFile, "kiv.exe");
    EXPECT_FALSE(CreateProgramGroups(Source("..\\..\\Windows")));
    EXPECT_FALSE(Exists("Documents and Settings/User/Windows"));
}

// A target in a sub-folder of its entry's folder is only text inside the
// link: it is linked as written, and the shortcuts after it are made too.
// A target that would leave the folder is still refused.
TEST_F(ProgramGroupsTest, TargetsInSubFoldersAreLinkedAndTargetsLeavingTheFolderRefused) {
    InstallEntry* entry = Entry(kPlatformPC, "bin");
    Shortcut("Tool", "Tools\\tool.exe", entry);
    Shortcut("Deep", "Tools\\More\\deep.exe", Entry(kPlatformPC, ""));
    Shortcut("Kiv", "kiv.exe", entry);
    ASSERT_TRUE(CreateProgramGroups(Source()));
    const std::string group = std::string(kUserPrograms) + "Kiv Tools/";
    EXPECT_EQ(ReadLink(group + "Tool.LNK").ansiTargetPath,
              "C:\\Program Files\\Kiv Tools\\bin\\Tools\\tool.exe");
    EXPECT_EQ(ReadLink(group + "Tool.LNK").description, u"Shortcut to Tools\\tool.exe");
    EXPECT_EQ(ReadLink(group + "Deep.LNK").ansiTargetPath,
              "C:\\Program Files\\Kiv Tools\\Tools\\More\\deep.exe");
    EXPECT_TRUE(Exists(group + "Kiv.LNK"));

    shortcuts.resize(1);
    for (const char* target :
         {"Tools\\..\\..\\..\\Windows\\system.ini", "..\\kiv.exe", "\\Windows\\system.ini",
          "C:\\Windows\\system.ini", "C:system.ini", "Tools\\\\tool.exe", "Tools\\",
          "Tools\\.\\tool.exe", "Tools/tool.exe"}) {
        std::strcpy(shortcuts[0].targetFile, target);
        EXPECT_FALSE(CreateGroupShortcuts(u"C:\\Group", Source())) << target;
        EXPECT_FALSE(Exists("Group/Tool.LNK")) << target;
    }
}

TEST_F(ProgramGroupsTest, FailsWhenNoGroupCanBeCompleted) {
    Shortcut("Kiv", "kiv.exe", Entry(kPlatformPC, "bin"));
    // A file where each group folder should be.
    for (const std::string programs : {kCommonPrograms, kUserPrograms})
        std::ofstream(machine.DriveC(programs + "Kiv Tools")) << "a file";
    EXPECT_FALSE(CreateProgramGroups(Source()));
    // Without the component-object library no link can be made.
    std::filesystem::remove(machine.DriveC(std::string(kUserPrograms) + "Kiv Tools"));
    CoUninitialize();
    EXPECT_FALSE(CreateProgramGroups(Source()));
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
}

// A setup killed while it makes the groups leaves nothing its journal does
// not name: the new group folders and every link are listed before they are
// made.
TEST_F(ProgramGroupsTest, TheJournalNamesTheGroupFoldersAndLinksBeforeTheyAreMade) {
    Shortcut("Kiv", "kiv.exe", Entry(kPlatformPC, "bin"));
    std::filesystem::create_directories(machine.DriveC("Program Files/Kiv Tools"));
    InstallJournal journal;
    ASSERT_TRUE(journal.Open(u"C:\\Program Files\\Kiv Tools", "Kiv Tools"));
    ProgramGroupSource source = Source();
    source.journal = &journal;
    ASSERT_TRUE(CreateProgramGroups(source));
    const std::string listed =
        ReadHostFile(machine.DriveC("Program Files/Kiv Tools/.uninstallinfos.journal"));
    for (const char* line :
         {"folder C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\Kiv Tools",
          "file C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\Kiv Tools\\Kiv.LNK",
          "file C:\\Documents and Settings\\User\\Start Menu\\Programs\\Kiv Tools\\Kiv.LNK"})
        EXPECT_NE(listed.find(line), std::string::npos) << line << "\n" << listed;
}

// A custom setup without the component that holds a shortcut's target: the
// link would point at nothing, so it is not made; the observer hears why,
// and the group's other links are made as usual.
TEST_F(ProgramGroupsTest, AShortcutWhoseTargetWasNotInstalledIsLeftOutAndReported) {
    Shortcut("Viewer", "viewer.exe", Entry(kPlatformPC, "bin"), false);
    Shortcut("Kiv", "kiv.exe", Entry(kPlatformPC, "bin"));
    Shortcut("Folder", "Data", Entry(kPlatformPC, ""), false);
    std::filesystem::create_directories(machine.DriveC("Program Files/Kiv Tools/Data"));
    LinkRecorder recorder;
    ProgramGroupSource source = Source();
    source.observer = &recorder;
    ASSERT_TRUE(CreateProgramGroups(source));
    for (const std::string programs : {kCommonPrograms, kUserPrograms}) {
        EXPECT_FALSE(Exists(programs + "Kiv Tools/Viewer.LNK"));
        EXPECT_FALSE(Exists(programs + "Kiv Tools/Folder.LNK"));
        EXPECT_TRUE(Exists(programs + "Kiv Tools/Kiv.LNK"));
    }
    ASSERT_EQ(recorder.leftOut.size(), 4u); // two in each group
    EXPECT_EQ(recorder.leftOut[0].first,
              KIVString(u"C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\Kiv "
                        u"Tools\\Viewer.LNK"));
    EXPECT_EQ(recorder.leftOut[0].second, "C:\\Program Files\\Kiv Tools\\bin\\viewer.exe");
    EXPECT_EQ(recorder.made.size(), 2u);
}

// A custom setup that left out every target of the group: the Start menu
// gets no empty group folder, and neither the journal nor the observer
// names one; each link is still reported as left out.
TEST_F(ProgramGroupsTest, AGroupWithoutAnyInstalledTargetMakesNoFolder) {
    Shortcut("Viewer", "viewer.exe", Entry(kPlatformPC, "bin"), false);
    Shortcut("Mac only", "kiv.app", Entry(kPlatformMac, "mac"));
    std::filesystem::create_directories(machine.DriveC("Program Files/Kiv Tools"));
    InstallJournal journal;
    ASSERT_TRUE(journal.Open(u"C:\\Program Files\\Kiv Tools", "Kiv Tools"));
    LinkRecorder recorder;
    ProgramGroupSource source = Source();
    source.journal = &journal;
    source.observer = &recorder;
    EXPECT_TRUE(CreateProgramGroups(source)) << "nothing to make is no failure";
    for (const std::string programs : {kCommonPrograms, kUserPrograms})
        EXPECT_FALSE(Exists(programs + "Kiv Tools"));
    EXPECT_EQ(recorder.groups, 0);
    EXPECT_EQ(recorder.leftOut.size(), 2u);
    const std::string listed =
        ReadHostFile(machine.DriveC("Program Files/Kiv Tools/.uninstallinfos.journal"));
    EXPECT_EQ(listed.find("Start Menu"), std::string::npos) << listed;
}

// One installed target is enough for the group, and a group without any
// shortcut record makes no folder either.
TEST_F(ProgramGroupsTest, OneInstalledTargetMakesTheGroupAndNoRecordMakesNone) {
    EXPECT_TRUE(CreateProgramGroups(Source()));
    EXPECT_FALSE(Exists(std::string(kUserPrograms) + "Kiv Tools"));
    Shortcut("Viewer", "viewer.exe", Entry(kPlatformPC, "bin"), false);
    Shortcut("Kiv", "kiv.exe", Entry(kPlatformPC, "bin"));
    ASSERT_TRUE(CreateProgramGroups(Source()));
    for (const std::string programs : {kCommonPrograms, kUserPrograms}) {
        EXPECT_TRUE(Exists(programs + "Kiv Tools/Kiv.LNK"));
        EXPECT_FALSE(Exists(programs + "Kiv Tools/Viewer.LNK"));
    }
}
