// The install journal: what the setup writes ahead of each step, read back
// as the uninstaller reads it; a journal continued after a kill; damaged
// journals refused; and an uninstallation from a journal alone, or from a
// record with the values file beside it, that takes only what the product
// wrote.
#include "HostFiles.h"
#include "Japanese932.h"
#include "RegistryTestValues.h"
#include "TestMachine.h"
#include "engine/InstallJournal.h"
#include "engine/InstallJournalReader.h"
#include "engine/Uninstaller.h"
#include "platform/Windows.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

const char kFolder[] = "C:\\Program Files\\Talvic";
const char kKey[] = "HKEY_LOCAL_MACHINE\\Software\\Kiv\\Talvic";
const char kSharedDlls[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
// The user's temporary folder of a fresh machine, below C:\, which holds the
// setup's staging folder.
const char kTemp[] = "Documents and Settings\\User\\Local Settings\\Temp";

std::string Slashed(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

class InstallJournalTest : public MachineTest {
protected:
    InstallJournalTest() { fs::create_directories(Host("")); }

    std::string Host(const std::string& relative) const {
        return machine.DriveC("Program Files/Talvic/" + relative);
    }
    std::string JournalBytes() const { return ReadHostFile(Host(".uninstallinfos.journal")); }

    UninstallRecord Read(const std::string& bytes) {
        UninstallRecord record;
        EXPECT_TRUE(ReadInstallJournal(bytes, &record, &error)) << error.line << error.reason;
        return record;
    }
    bool Refuses(const std::string& body) {
        UninstallRecord record;
        return !ReadInstallJournal("kiv install journal 1\r\n" + body, &record, &error) &&
               record.files.empty();
    }

    UninstallRecordError error;
};

void SetCount(const char* path, DWORD count) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, kSharedDlls, &key), ERROR_SUCCESS);
    RegSetValueExA(key, path, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count), sizeof count);
    RegCloseKey(key);
}

// The count of path, or -1 when it has none.
long Count(const char* path) {
    HKEY key = nullptr;
    DWORD count = 0, size = sizeof count;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedDlls, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return -1;
    const LSTATUS status =
        RegQueryValueExA(key, path, nullptr, nullptr, reinterpret_cast<BYTE*>(&count), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? static_cast<long>(count) : -1;
}

} // namespace

TEST_F(InstallJournalTest, WritesEveryStepAheadAndSettlesIntoTheValuesFile) {
    InstallJournal journal;
    ASSERT_TRUE(journal.Open(u"C:\\Program Files\\Talvic\\", "Talvic Studio"));
    journal.Folder(u"C:\\Program Files\\Talvic\\Data");
    journal.File("C:\\Program Files\\Talvic\\Data\\a.dat");
    journal.Key(kKey);
    journal.Value("Path");
    journal.Value("");
    journal.Shared(2, "C:\\Windows\\System32\\kivshared.dll");
    journal.File("C:\\Program Files\\Talvic\\bad\r\nfile x"); // would break the lines: left out
    // Every line is on the disk already, before the journal is closed.
    const UninstallRecord record = Read(JournalBytes());
    EXPECT_TRUE(record.fromJournal);
    EXPECT_EQ(record.applicationName, "Talvic Studio");
    EXPECT_EQ(record.folders, std::vector<std::string>{"C:\\Program Files\\Talvic\\Data"});
    EXPECT_EQ(record.files, std::vector<std::string>{"C:\\Program Files\\Talvic\\Data\\a.dat"});
    EXPECT_EQ(record.registryKeys, std::vector<std::string>{kKey});
    EXPECT_EQ(record.writtenValues.at("HKEY_LOCAL_MACHINE\\SOFTWARE\\KIV\\TALVIC"),
              (std::set<std::string>{"", "PATH"}));
    ASSERT_EQ(record.sharedFiles.size(), 1u);
    EXPECT_EQ(record.sharedFiles[0].countBefore, 2u);

    journal.Settle(true);
    EXPECT_FALSE(fs::exists(Host(".uninstallinfos.journal")));
    EXPECT_EQ(ReadHostFile(Host(".uninstallinfos.values")),
              "kiv install journal 1\r\nkey " + std::string(kKey) + "\r\nvalue Path\r\nvalue \r\n");
}

// 能 is 94 5C in code page 932: a folder ending in it has no trailing
// separator to take off, and its journal and values file stay inside it.
TEST(JapaneseInstallJournal, AFolderEndingInA5CByteKeepsItsFilesInside) {
    TestMachine machine(Japanese932Settings());
    fs::create_directories(machine.DriveC("Program Files/拡張機能"));
    InstallJournal journal;
    ASSERT_TRUE(journal.Open(u"C:\\Program Files\\拡張機能", "Talvic"));
    journal.Key(kKey);
    EXPECT_TRUE(fs::exists(machine.DriveC("Program Files/拡張機能/.uninstallinfos.journal")));
    journal.Settle(true);
    EXPECT_TRUE(fs::exists(machine.DriveC("Program Files/拡張機能/.uninstallinfos.values")));
}

TEST_F(InstallJournalTest, AnUpdateSettlesWithoutAValuesFile) {
    InstallJournal journal;
    ASSERT_TRUE(journal.Open(u"C:\\Program Files\\Talvic", "Talvic"));
    journal.Key(kKey);
    journal.Settle(false);
    EXPECT_FALSE(fs::exists(Host(".uninstallinfos.journal")));
    EXPECT_FALSE(fs::exists(Host(".uninstallinfos.values")));
}

// A setup killed in the middle of a line leaves it cut: the reader leaves it
// out, and the next setup goes on after the last whole line.
TEST_F(InstallJournalTest, ContinuesTheJournalOfAKilledSetupWithoutItsCutLine) {
    WriteHostFile(Host(".uninstallinfos.journal"),
                  "kiv install journal 1\r\nfile C:\\Program Files\\Talvic\\a.exe\r\nfile C:\\Pro");
    EXPECT_EQ(Read(JournalBytes()).files.size(), 1u);
    {
        InstallJournal journal;
        ASSERT_TRUE(journal.Open(u"C:\\Program Files\\Talvic", "Talvic"));
        journal.File("C:\\Program Files\\Talvic\\b.exe");
    }
    EXPECT_EQ(JournalBytes(), "kiv install journal 1\r\nfile C:\\Program Files\\Talvic\\a.exe\r\n"
                              "group Talvic\r\nfile C:\\Program Files\\Talvic\\b.exe\r\n");
    // A file of that name that is no journal is replaced.
    WriteHostFile(Host(".uninstallinfos.journal"), "mine\r\n");
    InstallJournal journal;
    ASSERT_TRUE(journal.Open(u"C:\\Program Files\\Talvic", "Talvic"));
    EXPECT_EQ(JournalBytes(), "kiv install journal 1\r\ngroup Talvic\r\n");
}

TEST_F(InstallJournalTest, ADamagedJournalIsRefused) {
    EXPECT_TRUE(Refuses("value Path\r\n"));
    EXPECT_EQ(error.line, 2);
    EXPECT_TRUE(Refuses("file C:\\Program Files\\Talvic\\..\\..\\Windows\\win.ini\r\n"));
    EXPECT_TRUE(Refuses("file Program Files\\Talvic\\a.exe\r\n"));
    EXPECT_TRUE(Refuses("delete C:\\Windows\r\n"));
    EXPECT_TRUE(Refuses("key Software\\Kiv\r\n"));
    EXPECT_TRUE(Refuses("shared -1 C:\\Windows\\System32\\a.dll\r\n"));
    EXPECT_TRUE(Refuses("shared 99999999999 C:\\Windows\\System32\\a.dll\r\n"));
    EXPECT_TRUE(Refuses("file C:\\a\tb\r\n"));
    UninstallRecord record;
    EXPECT_FALSE(ReadInstallJournal("files 0\r\n", &record, &error));
    EXPECT_FALSE(ReadInstallJournal("kiv install jour", &record, &error));
    EXPECT_FALSE(ReadWrittenValues("kiv install journal 1\r\nfile C:\\a\r\n", &record, &error));
}

// A journal alone undoes a setup killed before its record: the files and
// folders it made, its staging folder outside the installation folder among
// them, and only the values it wrote; a count it had not raised yet stays.
// A file it placed where none was, with the first count it gave it, goes;
// a file that was there without a count stays.
TEST_F(InstallJournalTest, UndoesAKilledSetupFromItsJournalAlone) {
    const std::string staging = "C:\\" + std::string(kTemp) + "\\TemporaryFiles";
    {
        InstallJournal journal;
        ASSERT_TRUE(journal.Open(u"C:\\Program Files\\Talvic", "Talvic"));
        journal.Folder(kFolder);
        journal.Folder(staging.c_str());
        journal.Folder((staging + "\\InstallFiles").c_str());
        journal.File((staging + "\\InstallFiles\\config.ini").c_str());
        journal.File("C:\\Program Files\\Talvic\\app.exe");
        journal.File("C:\\Program Files\\Talvic\\never made.dat");
        journal.Key(kKey);
        journal.Value("Path");
        journal.Shared(3, "C:\\Windows\\System32\\raised.dll");
        journal.Shared(3, "C:\\Windows\\System32\\notyet.dll");
        journal.Shared(0, "C:\\Windows\\System32\\new.dll");
        journal.Shared(0, "C:\\Windows\\System32\\uncounted.dll");
    }
    for (const char* name : {"new.dll", "uncounted.dll"})
        WriteHostFile(machine.DriveC("Windows/System32/") + name, "x");
    SetCount("C:\\Windows\\System32\\new.dll", 1);
    WriteHostFile(machine.DriveC(Slashed(kTemp) + "/TemporaryFiles/InstallFiles/config.ini"), "x");
    WriteHostFile(Host("app.exe"), "x");
    SetValue(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic", "Path", kFolder);
    SetValue(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic", "Mine", "the user's");
    SetCount("C:\\Windows\\System32\\raised.dll", 4);
    SetCount("C:\\Windows\\System32\\notyet.dll", 3);

    UninstallRun run(false);
    std::string message;
    EXPECT_EQ(Uninstall(kFolder, run, &message), UninstallOutcome::Done) << message;
    EXPECT_FALSE(fs::exists(machine.DriveC(Slashed(kTemp) + "/TemporaryFiles")));
    EXPECT_TRUE(fs::exists(machine.DriveC(Slashed(kTemp))));
    EXPECT_FALSE(fs::exists(Host("")));
    EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic", "Path"));
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic", "Mine"));
    EXPECT_EQ(Count("C:\\Windows\\System32\\raised.dll"), 3);
    EXPECT_EQ(Count("C:\\Windows\\System32\\notyet.dll"), 3);
    EXPECT_EQ(Count("C:\\Windows\\System32\\new.dll"), -1);
    EXPECT_FALSE(fs::exists(machine.DriveC("Windows/System32/new.dll")));
    EXPECT_TRUE(fs::exists(machine.DriveC("Windows/System32/uncounted.dll")));
}

// The record names keys only; the values file the setup keeps beside it
// tells which values are the product's, so a value of the user's own keeps
// the key, and a journal left beside the record by a kill tells the same.
TEST_F(InstallJournalTest, TheValuesFileKeepsTheUsersOwnValueInAProductKey) {
    const std::string record =
        "files 0\r\nfolders 1\r\nC:\\Program Files\\Talvic\r\nregkeys 1\r\n" + std::string(kKey) +
        "\r\nlongappname\r\nTalvic\r\n";
    const std::string values =
        "kiv install journal 1\r\nkey " + std::string(kKey) + "\r\nvalue Path\r\n";
    for (const char* beside : {".uninstallinfos.values", ".uninstallinfos.journal"}) {
        WriteHostFile(Host(".uninstallinfos.log"), record);
        WriteHostFile(Host(beside), values);
        SetValue(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic", "Path", kFolder);
        SetValue(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic", "Mine", "the user's");
        UninstallRun run(false);
        std::string message;
        EXPECT_EQ(Uninstall(kFolder, run, &message), UninstallOutcome::Done) << message;
        EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic", "Path")) << beside;
        EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic", "Mine")) << beside;
        EXPECT_FALSE(fs::exists(Host(beside)));
        EXPECT_FALSE(fs::exists(Host(".uninstallinfos.log")));
    }
    // A damaged values file removes nothing.
    WriteHostFile(Host(".uninstallinfos.log"), record);
    WriteHostFile(Host(".uninstallinfos.values"), "kiv install journal 1\r\nvalue Path\r\n");
    UninstallRun run(false);
    std::string message;
    EXPECT_EQ(Uninstall(kFolder, run, &message), UninstallOutcome::Refused);
    EXPECT_NE(message.find(".uninstallinfos.values, line 2"), std::string::npos) << message;
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic", "Mine"));
}

// Killed after its record but while it removed its staging folder: the
// journal beside the record still names what is left there.
TEST_F(InstallJournalTest, AJournalBesideTheRecordNamesTheStagingFoldersLeftovers) {
    const std::string staging = "C:\\" + std::string(kTemp) + "\\TemporaryFiles";
    {
        InstallJournal journal;
        ASSERT_TRUE(journal.Open(u"C:\\Program Files\\Talvic", "Talvic"));
        journal.Folder(staging.c_str());
        journal.Folder((staging + "\\InstallFiles").c_str());
        journal.File((staging + "\\InstallFiles\\config.ini").c_str());
        journal.File("C:\\Program Files\\Talvic\\app.exe");
    }
    WriteHostFile(Host(".uninstallinfos.log"),
                  "files 1\r\nC:\\Program Files\\Talvic\\app.exe\r\nfolders 1\r\n"
                  "C:\\Program Files\\Talvic\r\nregkeys 0\r\nlongappname\r\nTalvic\r\n");
    WriteHostFile(Host("app.exe"), "x");
    WriteHostFile(machine.DriveC(Slashed(kTemp) + "/TemporaryFiles/InstallFiles/config.ini"), "x");
    WriteHostFile(machine.DriveC(Slashed(kTemp) + "/mine.txt"), "mine");

    UninstallRun run(false);
    std::string message;
    EXPECT_EQ(Uninstall(kFolder, run, &message), UninstallOutcome::Done) << message;
    EXPECT_FALSE(fs::exists(machine.DriveC(Slashed(kTemp) + "/TemporaryFiles")));
    EXPECT_EQ(ReadHostFile(machine.DriveC(Slashed(kTemp) + "/mine.txt")), "mine");
    EXPECT_FALSE(fs::exists(Host("")));
}

// A journal is read from a folder anyone may write to, as a record is: its
// lines that name a host file, a file of the Windows folder, another
// product's folder or a shared file outside the system folder are refused
// and left alone, while what the setup made in its own places goes.
TEST_F(InstallJournalTest, AHostileJournalRemovesOnlyWhatLiesInTheProductsPlaces) {
    const fs::path host = fs::path(machine.Root()).parent_path() /
                          (fs::path(machine.Root()).filename().string() + "-journal-canary");
    WriteHostFile(host / "canary.txt", "host");
    const std::string hostPath = "Z:" + (host / "canary.txt").string();
    std::string hostLine = hostPath;
    std::replace(hostLine.begin(), hostLine.end(), '/', '\\');
    const char* const others[] = {"Windows/other-product.ini", "Program Files/Other/keep.txt",
                                  "Windows/shared.dll"};
    for (const char* other : others)
        WriteHostFile(machine.DriveC(other), "other");
    SetCount("C:\\Windows\\shared.dll", 1);
    {
        InstallJournal journal;
        ASSERT_TRUE(journal.Open(u"C:\\Program Files\\Talvic", "Talvic"));
        journal.File("C:\\Program Files\\Talvic\\app.exe");
        journal.File(hostLine.c_str());
        journal.File("C:\\Windows\\other-product.ini");
        journal.Folder("C:\\Program Files\\Other");
        journal.File("C:\\Program Files\\Other\\keep.txt");
        journal.Shared(0, "C:\\Windows\\shared.dll");
    }
    WriteHostFile(Host("app.exe"), "x");

    UninstallRun run(false);
    std::string message;
    EXPECT_EQ(Uninstall(kFolder, run, &message), UninstallOutcome::OutOfScope) << message;
    EXPECT_FALSE(fs::exists(Host("app.exe")));
    EXPECT_EQ(ReadHostFile(host / "canary.txt"), "host");
    for (const char* other : others)
        EXPECT_EQ(ReadHostFile(machine.DriveC(other)), "other") << other;
    EXPECT_TRUE(fs::exists(Host(".uninstallinfos.journal"))) << "kept for a person to look at";
    fs::remove_all(host);
}

// The record lists the values file for the product's own uninstaller. Ours
// reads it and removes it once, last, with the record: a run that could not
// remove everything keeps it, so that the next run still knows which values
// are the product's.
TEST_F(InstallJournalTest, AValuesFileTheRecordListsGoesOnceAndOnlyWithTheRecord) {
    const std::string values = std::string(kFolder) + "\\.uninstallinfos.values";
    WriteHostFile(Host(".uninstallinfos.log"), "files 2\r\n" + std::string(kFolder) +
                                                   "\\a.dat\r\n" + values + "\r\nfolders 1\r\n" +
                                                   kFolder + "\r\nregkeys 1\r\n" + kKey +
                                                   "\r\nlongappname\r\nTalvic\r\n");
    WriteHostFile(Host(".uninstallinfos.values"),
                  "kiv install journal 1\r\nkey " + std::string(kKey) + "\r\nvalue Path\r\n");
    WriteHostFile(Host("a.dat"), "data");
    SetValue(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic", "Path", kFolder);
    SetValue(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic", "Mine", "the user's");
    const auto removals = [&](const UninstallRun& run) {
        return std::count_if(run.RemovedItems().begin(), run.RemovedItems().end(),
                             [&](const UninstallItem& item) { return item.path == values; });
    };
    std::string message;
    UninstallRun dry(true);
    EXPECT_EQ(Uninstall(kFolder, dry, &message), UninstallOutcome::Done) << message;
    EXPECT_EQ(removals(dry), 1);

    fs::permissions(Host("a.dat"), fs::perms::owner_write, fs::perm_options::remove);
    UninstallRun failed(false);
    EXPECT_EQ(Uninstall(kFolder, failed, &message), UninstallOutcome::Incomplete) << message;
    EXPECT_TRUE(fs::exists(Host(".uninstallinfos.values")));
    // Once the file may go, a second run finishes.
    fs::permissions(Host("a.dat"), fs::perms::owner_write, fs::perm_options::add);
    SetValue(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic", "Path", kFolder);
    UninstallRun again(false);
    EXPECT_EQ(Uninstall(kFolder, again, &message), UninstallOutcome::Done) << message;
    EXPECT_EQ(removals(again), 1);
    EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic", "Path"));
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, "Software\\Kiv\\Talvic", "Mine"));
    EXPECT_FALSE(fs::exists(Host(".uninstallinfos.values")));
    EXPECT_FALSE(fs::exists(Host(".uninstallinfos.log")));
}
