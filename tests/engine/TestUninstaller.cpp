// The uninstaller against records written as the setup writes them, on a
// fresh machine: what it removes, what it keeps and why, and that a damaged
// record, a dry run or a link removes nothing it should not.
#include "HostFiles.h"
#include "RegistryTestValues.h"
#include "TestMachine.h"
#include "engine/CreateShellLink.h"
#include "engine/Uninstaller.h"
#include "engine/WriteUninstallRecord.h"
#include "platform/ObjBase.h"
#include "platform/Windows.h"
#include "toolkit/KIVString.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

namespace {

namespace fs = std::filesystem;

const char kFolder[] = "C:\\Program Files\\Talvic";

// The setup's staging folder on this machine.
std::string Staging() {
    char temporary[MAX_PATH];
    GetTempPathA(MAX_PATH, temporary);
    return std::string(temporary) + "TemporaryFiles";
}

std::string Slashed(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

class UninstallerTest : public MachineTest {
protected:
    UninstallerTest() : fresh(Tree()) {}

    std::string Host(const std::string& relative) const {
        return machine.DriveC("Program Files/Talvic/" + relative);
    }
    void Put(const std::string& hostPath, const std::string& data = "x") const {
        fs::create_directories(fs::path(hostPath).parent_path());
        std::ofstream(hostPath, std::ios::binary) << data;
    }
    void PutRecord(const std::string& bytes) const { Put(Host(".uninstallinfos.log"), bytes); }
    // Every entry of drive C:, as relative paths.
    std::set<std::string> Tree() const {
        std::set<std::string> entries;
        for (const auto& entry : fs::recursive_directory_iterator(machine.DriveC()))
            entries.insert(fs::relative(entry.path(), machine.DriveC()).string());
        return entries;
    }
    UninstallOutcome Run(bool dryRun = false) {
        run = UninstallRun(dryRun);
        message.clear();
        return Uninstall(kFolder, run, &message);
    }
    bool Has(const std::vector<UninstallItem>& items, const std::string& path,
             const std::string& note = "") const {
        for (const UninstallItem& item : items)
            if (item.path == path && item.note.find(note) != std::string::npos)
                return true;
        return false;
    }

    std::set<std::string> fresh;
    UninstallRun run{false};
    std::string message;
};

const char kProductRecord[] = "files 3\r\n"
                              "C:\\Program Files\\Talvic\\\\talvic.exe\r\n"
                              "C:\\Program Files\\Talvic\\Data\\a.dat\r\n"
                              "C:\\Program Files\\Talvic\\talvic.ini\r\n"
                              "folders 2\r\n"
                              "C:\\Program Files\\Talvic\\\r\n"
                              "C:\\Program Files\\Talvic\\Data\r\n"
                              "regkeys 2\r\n"
                              "HKEY_LOCAL_MACHINE\\Software\\Kiv\\Talvic\r\n"
                              "HKEY_LOCAL_MACHINE\\Software\\Kiv\\Talvic\\Settings\r\n"
                              "longappname\r\n"
                              "Talvic\r\n";

} // namespace

// The setup's own writer makes the record; after the uninstallation the
// drive and the product's keys are as on the fresh machine.
TEST_F(UninstallerTest, LeavesTheFreshMachineAfterARecordOfTheWriter) {
    InstallLists lists;
    for (const char* name : {"talvic.exe", "Data\\a.dat", "Data\\Deep\\b.dat"}) {
        Put(Host(Slashed(name)));
        lists.files.Add((std::string(kFolder) + "\\" + name).c_str());
    }
    Put(Host("talvic.ini"));
    lists.folders.Add(kFolder);
    lists.folders.Add("C:\\Program Files\\Talvic\\Data");
    lists.registryKeys.Add("HKEY_LOCAL_MACHINE\\Software\\Kiv\\Talvic");
    SetValue(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic", "Path", kFolder);
    const std::vector<std::string> extra = {"talvic.ini"};
    ASSERT_EQ(
        WriteUninstallRecord({u"C:\\Program Files\\Talvic", lists, extra, "Talvic", false, false}),
        UninstallRecordResult::Written);

    EXPECT_EQ(Run(), UninstallOutcome::Done) << message;
    EXPECT_EQ(message, ""); // no values file, no journal: both are optional
    EXPECT_EQ(Tree(), fresh);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Kiv"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "Software"));
    EXPECT_TRUE(run.KeptItems().empty());
}

TEST_F(UninstallerTest, KeepsTheUsersOwnFileAndRegistryEntriesWithTheirFolderAndKey) {
    PutRecord(kProductRecord);
    for (const char* name : {"talvic.exe", "Data/a.dat", "talvic.ini", "notes.txt"})
        Put(Host(name));
    SetValue(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic", "Path", kFolder);
    SetValue(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic\\Settings", "Colour", "red");
    SetValue(HKEY_LOCAL_MACHINE, "Software\\Kiv", "Licence", "mine");
    SetValue(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic\\Plugins", "Mine", "yes");

    EXPECT_EQ(Run(), UninstallOutcome::Done) << message;
    EXPECT_TRUE(fs::exists(Host("notes.txt")));
    EXPECT_FALSE(fs::exists(Host("talvic.exe")) || fs::exists(Host("Data")) ||
                 fs::exists(Host(".uninstallinfos.log")));
    EXPECT_TRUE(Has(run.KeptItems(), "C:\\Program Files\\Talvic\\notes.txt",
                    "not installed by this product"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic\\Settings"));
    // The user's sub key keeps the product's key whole; the user's value its parent.
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic\\Plugins", "Mine"));
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic", "Path"));
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, "Software\\Kiv", "Licence"));
    EXPECT_TRUE(Has(run.KeptItems(), "HKEY_LOCAL_MACHINE\\Software\\Kiv\\Talvic", "Plugins"));
}

TEST_F(UninstallerTest, AKeyDirectlyUnderARootLosesOnlyItsValues) {
    PutRecord("files 0\r\nfolders 0\r\nregkeys 1\r\nHKEY_CURRENT_USER\\Talvic\r\n"
              "longappname\r\nTalvic\r\n");
    SetValue(HKEY_CURRENT_USER, "Talvic", "Path", kFolder);
    EXPECT_EQ(Run(), UninstallOutcome::Done) << message;
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Talvic"));
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, "Talvic", "Path"));
}

TEST_F(UninstallerTest, RemovesLinksAsLinksAndNeverWhatTheyLeadTo) {
    const std::string outside = machine.Root() + "/outside";
    const std::string desktop = machine.DriveC("Documents and Settings/User/Desktop");
    Put(outside + "/data.txt", "precious");
    Put(desktop + "/Data/a.dat", "precious");
    PutRecord(kProductRecord);
    Put(Host("talvic.ini"));
    fs::create_symlink(outside + "/data.txt", Host("talvic.exe")); // a listed file
    fs::create_directory_symlink(desktop + "/Data", Host("Data")); // a listed folder
    fs::create_directory_symlink(outside, Host("Shortcut"));       // not listed

    EXPECT_EQ(Run(), UninstallOutcome::Done) << message;
    EXPECT_FALSE(fs::is_symlink(Host("talvic.exe")));
    EXPECT_TRUE(fs::is_symlink(Host("Shortcut")));
    EXPECT_TRUE(fs::exists(outside + "/data.txt"));
    EXPECT_TRUE(fs::exists(desktop + "/Data/a.dat"));
    EXPECT_TRUE(Has(run.KeptItems(), "C:\\Program Files\\Talvic\\Data\\a.dat", "link"));
    EXPECT_TRUE(Has(run.KeptItems(), "C:\\Program Files\\Talvic\\Shortcut",
                    "not installed by this product"));
}

TEST_F(UninstallerTest, ADamagedRecordRemovesNothing) {
    std::string damaged = kProductRecord;
    damaged.replace(damaged.find("Data\\a.dat"), 10, "..\\..\\Windows");
    PutRecord(damaged);
    Put(Host("talvic.exe"));
    SetValue(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic", "Path", kFolder);
    const std::set<std::string> before = Tree();
    EXPECT_EQ(Run(), UninstallOutcome::Refused);
    EXPECT_NE(message.find("line 3"), std::string::npos) << message;
    EXPECT_EQ(Tree(), before);
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic", "Path"));
    EXPECT_TRUE(run.RemovedItems().empty());
}

TEST_F(UninstallerTest, ADryRunTellsWhatWouldGoAndRemovesNothing) {
    PutRecord(kProductRecord);
    for (const char* name : {"talvic.exe", "Data/a.dat", "talvic.ini"})
        Put(Host(name));
    SetValue(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic\\Settings", "Colour", "red");
    const std::set<std::string> before = Tree();
    EXPECT_EQ(Run(true), UninstallOutcome::Done) << message;
    EXPECT_EQ(Tree(), before);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic\\Settings"));
    for (const char* gone :
         {"C:\\Program Files\\Talvic\\Data", "C:\\Program Files\\Talvic",
          "HKEY_LOCAL_MACHINE\\Software\\Kiv", "C:\\Program Files\\Talvic\\.uninstallinfos.log"})
        EXPECT_TRUE(Has(run.RemovedItems(), gone)) << gone;
}

// A removal the machine refuses leaves the record for another run, and the
// file is kept for that one reason (not also as "not installed" when its
// folder stays).
TEST_F(UninstallerTest, AFailedRemovalKeepsTheRecordForAnotherRun) {
    PutRecord(kProductRecord);
    for (const char* name : {"talvic.exe", "Data/a.dat", "talvic.ini"})
        Put(Host(name));
    fs::permissions(Host("Data/a.dat"), fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_EQ(Run(), UninstallOutcome::Incomplete);
    const auto isFile = [](const UninstallItem& item) {
        return item.path == "C:\\Program Files\\Talvic\\Data\\a.dat";
    };
    EXPECT_EQ(1, std::count_if(run.KeptItems().begin(), run.KeptItems().end(), isFile));
    EXPECT_TRUE(
        Has(run.KeptItems(), "C:\\Program Files\\Talvic\\Data\\a.dat", "removing it failed"));
    EXPECT_TRUE(fs::exists(Host(".uninstallinfos.log")));
    EXPECT_FALSE(fs::exists(Host("talvic.exe")));
    fs::permissions(Host("Data/a.dat"), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(Run(), UninstallOutcome::Done) << message;
    EXPECT_EQ(Tree(), fresh);
}

TEST_F(UninstallerTest, NoRecordIsNothingToDo) {
    EXPECT_EQ(Run(), UninstallOutcome::NoRecord);
    EXPECT_TRUE(run.RemovedItems().empty());
}

// A staged system file stands for the system folder's file of its name: its
// use count is lowered, and the file goes only with its last use.
TEST_F(UninstallerTest, SharedSystemFilesGoWithTheirLastCountedUse) {
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string staging = Staging() + "\\";
    HKEY counts = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE,
                            "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs", &counts),
              ERROR_SUCCESS);
    std::string record = "files 3\r\n";
    for (const auto& [name, count] :
         {std::pair{"two.dll", 2u}, {"one.dll", 1u}, {"none.dll", 0u}}) {
        const std::string path = std::string(system) + "\\" + name;
        Put(machine.DriveC(Slashed(system + 3) + "/" + name));
        if (count)
            RegSetValueExA(counts, path.c_str(), 0, REG_DWORD,
                           reinterpret_cast<const BYTE*>(&count), sizeof count);
        record += staging + name + "\r\n";
    }
    PutRecord(record + "folders 0\r\nregkeys 0\r\nlongappname\r\nTalvic\r\n");
    EXPECT_EQ(Run(), UninstallOutcome::Done) << message;

    auto count = [&](const char* name) {
        DWORD value = 0, size = sizeof value;
        const std::string path = std::string(system) + "\\" + name;
        return RegQueryValueExA(counts, path.c_str(), nullptr, nullptr,
                                reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS
                   ? static_cast<int>(value)
                   : -1;
    };
    EXPECT_EQ(count("two.dll"), 1);
    EXPECT_EQ(count("one.dll"), -1);
    EXPECT_EQ(count("none.dll"), -1);
    RegCloseKey(counts);
    EXPECT_TRUE(fs::exists(machine.DriveC(Slashed(system + 3) + "/two.dll")));
    EXPECT_FALSE(fs::exists(machine.DriveC(Slashed(system + 3) + "/one.dll")));
    EXPECT_TRUE(fs::exists(machine.DriveC(Slashed(system + 3) + "/none.dll")));
    EXPECT_TRUE(Has(run.KeptItems(), std::string(system) + "\\two.dll", "still used by 1"));
    EXPECT_TRUE(Has(run.KeptItems(), std::string(system) + "\\none.dll", "no SharedDLLs count"));
}

// The program groups are not in the record; its last line names them, and
// only their links into the installation folder go.
TEST_F(UninstallerTest, RemovesTheProgramGroupsLinksIntoTheInstallationFolder) {
    PutRecord("files 1\r\nC:\\Program Files\\Talvic\\talvic.exe\r\nfolders 0\r\n"
              "regkeys 0\r\nlongappname\r\nTalvic\r\n");
    Put(Host("talvic.exe"));
    const std::string common = "C:\\Documents and Settings\\All Users\\Start Menu\\Programs";
    const std::string user = "C:\\Documents and Settings\\User\\Start Menu\\Programs";
    for (const std::string& group : {common + "\\Talvic", user + "\\Talvic", user + "\\Other"})
        ASSERT_TRUE(CreateDirectoryA(group.c_str(), nullptr)) << group;
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    auto link = [](const std::string& path, const char* target) {
        const KIVString wide(path.c_str());
        ASSERT_TRUE(CreateShellLink(target, wide, "Shortcut")) << path;
    };
    link(common + "\\Talvic\\Talvic.LNK", "C:\\Program Files\\Talvic\\talvic.exe");
    link(user + "\\Talvic\\Talvic.lnk", "C:\\PROGRAM FILES\\talvic\\talvic.exe");
    link(user + "\\Talvic\\Notepad.LNK", "C:\\Windows\\notepad.exe");
    link(user + "\\Other\\Talvic.LNK", "C:\\Program Files\\Talvic\\talvic.exe");

    CoUninitialize();
    EXPECT_EQ(Run(), UninstallOutcome::Done) << message;
    const std::string programs = "Documents and Settings/User/Start Menu/Programs/";
    EXPECT_FALSE(fs::exists(machine.DriveC("Documents and Settings/All Users/Start Menu/"
                                           "Programs/Talvic")));
    EXPECT_FALSE(fs::exists(machine.DriveC(programs + "Talvic/Talvic.lnk")));
    EXPECT_TRUE(fs::exists(machine.DriveC(programs + "Talvic/Notepad.LNK")));
    EXPECT_TRUE(fs::exists(machine.DriveC(programs + "Other/Talvic.LNK")));
    EXPECT_TRUE(
        Has(run.KeptItems(), user + "\\Talvic\\Notepad.LNK", "not installed by this product"));
}

// The maker's folder the setup made above the installation folder goes with
// the last of its products, and the program-files folder itself stays.
TEST_F(UninstallerTest, RemovesTheMakersFolderWithItsLastProduct) {
    for (const char* product : {"Talvic", "Other"}) {
        const std::string folder = std::string("C:\\Program Files\\Kiv\\") + product;
        Put(machine.DriveC(std::string("Program Files/Kiv/") + product + "/app.exe"));
        Put(machine.DriveC(std::string("Program Files/Kiv/") + product + "/.uninstallinfos.log"),
            "files 1\r\n" + folder + "\\app.exe\r\nfolders 1\r\n" + folder +
                "\\\r\nregkeys 0\r\nlongappname\r\n" + product + "\r\n");
    }
    EXPECT_EQ(Uninstall("C:\\Program Files\\Kiv\\Talvic", run, &message), UninstallOutcome::Done);
    EXPECT_TRUE(fs::exists(machine.DriveC("Program Files/Kiv/Other/app.exe")));
    EXPECT_EQ(Uninstall("C:\\Program Files\\Kiv\\Other", run, &message), UninstallOutcome::Done);
    EXPECT_EQ(Tree(), fresh);
}

// A user who may not write under HKEY_LOCAL_MACHINE cannot remove the
// product's keys nor lower a use count: said so, and the record stays.
TEST_F(UninstallerTest, KeysTheUserMayNotRemoveKeepTheRecord) {
    PutRecord("files 1\r\n" + Staging() +
              "\\kivrt.dll\r\nfolders 0\r\nregkeys 1\r\n"
              "HKEY_LOCAL_MACHINE\\Software\\Kiv\\Talvic\r\nlongappname\r\nTalvic\r\n");
    SetValue(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic", "Path", kFolder);
    MachineSettings user;
    user.administrator = false;
    std::string error;
    ASSERT_TRUE(Machine::Create(machine.Root(), user, &error) && Machine::Use(machine.Root()))
        << error;
    EXPECT_EQ(Run(), UninstallOutcome::Incomplete);
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic", "Path"));
    EXPECT_TRUE(fs::exists(Host(".uninstallinfos.log")));
    EXPECT_TRUE(Has(run.KeptItems(), "HKEY_LOCAL_MACHINE\\Software\\Kiv\\Talvic", "error 5"));
}

// A record is read from a folder anyone may write to: a line that names a
// host file, another product's file, a file of the Windows folder or a
// folder beside the product's is refused and left alone, while the
// product's own files go; the record stays for a person to look at.
TEST_F(UninstallerTest, LinesNamingPlacesOutsideTheProductAreRefusedAndLeftAlone) {
    const fs::path host = fs::path(machine.Root()).parent_path() /
                          (fs::path(machine.Root()).filename().string() + "-canary");
    Put((host / "canary.txt").string(), "host");
    const std::string hostLine = "Z:" + Slashed((host / "canary.txt").string());
    std::string hostWindows = hostLine;
    std::replace(hostWindows.begin(), hostWindows.end(), '/', '\\');
    const char* const others[] = {"Windows/other-product.ini", "Program Files/Other/keep.txt",
                                  "Program Files/TalvicX/keep.txt",
                                  "Program Files/Other/TemporaryFiles/kivrt.dll"};
    for (const char* other : others)
        Put(machine.DriveC(other), "other");
    Put(Host("talvic.exe"));
    PutRecord("files 6\r\nC:\\Program Files\\Talvic\\talvic.exe\r\n" + hostWindows +
              "\r\nC:\\Windows\\other-product.ini\r\nC:\\Program Files\\Other\\keep.txt\r\n"
              "C:\\Program Files\\TalvicX\\keep.txt\r\n"
              "C:\\Program Files\\Other\\TemporaryFiles\\kivrt.dll\r\n"
              "folders 2\r\nC:\\Program Files\\Other\r\nC:\\Windows\r\n"
              "regkeys 0\r\nlongappname\r\nTalvic\r\n");

    EXPECT_EQ(Run(), UninstallOutcome::OutOfScope) << message;
    EXPECT_FALSE(fs::exists(Host("talvic.exe")));
    EXPECT_EQ(ReadHostFile(host / "canary.txt"), "host");
    for (const char* other : others)
        EXPECT_EQ(ReadHostFile(machine.DriveC(other)), "other") << other;
    EXPECT_TRUE(fs::exists(Host(".uninstallinfos.log")));
    for (const std::string& refused : {hostWindows, std::string("C:\\Windows\\other-product.ini"),
                                       std::string("C:\\Program Files\\TalvicX\\keep.txt"),
                                       std::string("C:\\Program Files\\Other")})
        EXPECT_TRUE(Has(run.KeptItems(), refused, "refused")) << refused;
    fs::remove_all(host);
}

// On a Japanese machine the trail byte of a double-byte character may be a
// backslash: the product's folder "表" (95 5C) does not hold the user's
// "表words.txt" beside it, which a byte-wise comparison took for inside.
TEST(UninstallerDoubleByte, AFolderEndingInATrailByteHoldsNothingBesideIt) {
    MachineSettings japanese;
    japanese.codePage = 932;
    japanese.languageId = 0x0411;
    TestMachine machine(japanese);
    const std::string folder = "C:\\Program Files\\\x95\x5C";
    const std::string product = machine.DriveC("Program Files/\u8868");
    const std::string besides = machine.DriveC("Program Files/\u8868words.txt");
    fs::create_directories(product);
    std::ofstream(product + "/app.exe") << "x";
    std::ofstream(besides) << "mine";
    std::ofstream(product + "/.uninstallinfos.log", std::ios::binary)
        << "files 2\r\n" + folder + "\\app.exe\r\n" + folder +
               "words.txt\r\nfolders 0\r\n"
               "regkeys 0\r\nlongappname\r\nApp\r\n";
    UninstallRun run(false);
    std::string message;
    EXPECT_EQ(Uninstall(folder, run, &message), UninstallOutcome::OutOfScope) << message;
    EXPECT_FALSE(fs::exists(product + "/app.exe"));
    EXPECT_EQ(ReadHostFile(besides), "mine");
}

// A setup killed while it wrote a shortcut leaves a link file that holds no
// link yet, listed in its journal: it goes with the product's group, while
// a listed link of the group to another program is refused.
TEST_F(UninstallerTest, AShortcutCutShortInTheProductsGroupGoesWithIt) {
    const std::string group = "C:\\Documents and Settings\\User\\Start Menu\\Programs\\Talvic";
    const std::string hostGroup = machine.DriveC("Documents and Settings/User/Start Menu/"
                                                 "Programs/Talvic");
    Put(hostGroup + "/Talvic.LNK", "");
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    ASSERT_TRUE(CreateShellLink("C:\\Windows\\notepad.exe",
                                KIVString((group + "\\Notepad.LNK").c_str()), "Shortcut"));
    CoUninitialize();
    Put(Host("talvic.exe"));
    PutRecord("files 3\r\nC:\\Program Files\\Talvic\\talvic.exe\r\n" + group + "\\Talvic.LNK\r\n" +
              group + "\\Notepad.LNK\r\nfolders 0\r\nregkeys 0\r\nlongappname\r\nTalvic\r\n");

    EXPECT_EQ(Run(), UninstallOutcome::OutOfScope) << message;
    EXPECT_FALSE(fs::exists(hostGroup + "/Talvic.LNK"));
    EXPECT_TRUE(fs::exists(hostGroup + "/Notepad.LNK"));
    EXPECT_TRUE(Has(run.KeptItems(), group + "\\Notepad.LNK", "refused"));
    EXPECT_FALSE(Has(run.KeptItems(), group + "\\Talvic.LNK", "refused"));
}

// A setup that wrote a member stored in code page 1252 ("Résumé.txt") on a
// Japanese machine made a file whose wide name holds U+FFFD, and recorded it
// with "?" for that character: no ANSI call can name it. The uninstaller
// finds it by its wide name; when two files read as the recorded name, it
// names that one line once, with one reason, on every run.
class UninstallerUnspelled : public ::testing::Test {
protected:
    UninstallerUnspelled() : machine(Japanese()), fresh(Tree()) {}
    static MachineSettings Japanese() {
        MachineSettings settings;
        settings.codePage = 932;
        settings.languageId = 0x0411;
        return settings;
    }
    std::set<std::string> Tree() const {
        std::set<std::string> entries;
        for (const auto& entry : fs::recursive_directory_iterator(machine.DriveC()))
            entries.insert(fs::relative(entry.path(), machine.DriveC()).string());
        return entries;
    }
    // Makes the file as the setup did (the stored bytes read as ANSI) and
    // returns the line its record held (the wide path written back as ANSI).
    std::string MakeAsTheSetupDid(const std::string& storedName) const {
        const std::string path = std::string(kFolder) + "\\" + storedName;
        char16_t wide[MAX_PATH] = {};
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
        HANDLE file = CreateFileW(wide, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
        char ansi[MAX_PATH * 2] = {};
        WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, sizeof ansi, nullptr, nullptr);
        return ansi;
    }
    void PutRecord(const std::vector<std::string>& files) const {
        std::string record = "files " + std::to_string(files.size()) + "\r\n";
        for (const std::string& file : files)
            record += file + "\r\n";
        record +=
            std::string("folders 1\r\n") + kFolder + "\\\r\nregkeys 0\r\nlongappname\r\nTalvic\r\n";
        std::ofstream(machine.DriveC("Program Files/Talvic/.uninstallinfos.log"), std::ios::binary)
            << record;
    }
    UninstallOutcome Run() {
        run = UninstallRun(false);
        return Uninstall(kFolder, run, &message);
    }

    TestMachine machine;
    std::set<std::string> fresh;
    UninstallRun run{false};
    std::string message;
};

TEST_F(UninstallerUnspelled, TheFileGoesByItsWideName) {
    fs::create_directories(machine.DriveC("Program Files/Talvic"));
    const std::string line = MakeAsTheSetupDid("R\xE9sum\xE9.txt");
    ASSERT_NE(std::string::npos, line.find('?')) << line;
    std::ofstream(machine.DriveC("Program Files/Talvic/app.exe")) << "x";
    PutRecord({std::string(kFolder) + "\\app.exe", line});
    EXPECT_EQ(Run(), UninstallOutcome::Done) << message;
    EXPECT_TRUE(run.KeptItems().empty());
    EXPECT_EQ(Tree(), fresh);
    EXPECT_EQ(Run(), UninstallOutcome::NoRecord);
}

TEST_F(UninstallerUnspelled, TwoFilesReadingAsTheLineNameItOnceOnEveryRun) {
    fs::create_directories(machine.DriveC("Program Files/Talvic"));
    const std::string line = MakeAsTheSetupDid("R\xE9sum\xE9.txt");
    // "é" itself is no character of code page 932: it too reads as "?".
    std::ofstream(machine.DriveC("Program Files/Talvic/R\u99F8um\u00E9.txt")) << "theirs";
    std::ofstream(machine.DriveC("Program Files/Talvic/app.exe")) << "x";
    PutRecord({std::string(kFolder) + "\\app.exe", line});
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(Run(), UninstallOutcome::Incomplete) << pass;
        EXPECT_FALSE(fs::exists(machine.DriveC("Program Files/Talvic/app.exe")));
        std::vector<std::string> kept;
        for (const UninstallItem& item : run.KeptItems())
            kept.push_back(item.path + " | " + item.note);
        ASSERT_EQ(3u, kept.size()) << pass;
        EXPECT_EQ(line + " | telling which of the files that read as this name is the product's "
                         "failed (error 123)",
                  kept[0]);
        EXPECT_EQ(std::string(kFolder) + "\\.uninstallinfos.log | kept for another run, since "
                                         "some removals failed",
                  kept[1]);
        EXPECT_EQ(std::string(kFolder) + " | not empty", kept[2]);
    }
}
