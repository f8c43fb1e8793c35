#include "TestMachine.h"
#include "engine/UninstallRecordLimits.h"
#include "engine/WriteUninstallRecord.h"
#include "platform/WinBase.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

class WriteUninstallRecordTest : public MachineTest {
protected:
    WriteUninstallRecordTest() { CreateDirectoryA("C:\\Program Files\\Talvic", nullptr); }

    UninstallRecordResult Write(const char16_t* folder = u"C:\\Program Files\\Talvic") {
        return WriteUninstallRecord(
            {folder, lists, extraFiles, applicationName, updateMode, valuesFile});
    }
    std::string HostRecord(const char* name = ".uninstallinfos.log") const {
        return machine.DriveC("Program Files/Talvic/") + name;
    }
    std::string Record() const {
        std::ifstream in(HostRecord(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    void PutEarlierRecord() const { std::ofstream(HostRecord(), std::ios::binary) << "earlier"; }

    InstallLists lists;
    std::vector<std::string> extraFiles;
    const char* applicationName = "Talvic";
    bool updateMode = false;
    bool valuesFile = false;
};

} // namespace

TEST_F(WriteUninstallRecordTest, WritesEveryListInItsPlaceWithCrLf) {
    lists.files.Add("C:\\Program Files\\Talvic\\talvic.exe");
    lists.files.Add("C:\\Program Files\\Talvic\\Data\\a.dat");
    extraFiles = {"talvic.ini"};
    lists.folders.Add("C:\\Program Files\\Talvic");
    lists.folders.Add("C:\\Program Files\\Talvic");
    lists.registryKeys.Add("HKEY_LOCAL_MACHINE\\Software\\Talvic");
    ASSERT_EQ(Write(), UninstallRecordResult::Written);
    EXPECT_EQ(Record(), "files 3\r\n"
                        "C:\\Program Files\\Talvic\\talvic.exe\r\n"
                        "C:\\Program Files\\Talvic\\Data\\a.dat\r\n"
                        "C:\\Program Files\\Talvic\\talvic.ini\r\n"
                        "folders 2\r\n"
                        "C:\\Program Files\\Talvic\r\n"
                        "C:\\Program Files\\Talvic\r\n"
                        "regkeys 1\r\n"
                        "HKEY_LOCAL_MACHINE\\Software\\Talvic\r\n"
                        "longappname\r\n"
                        "Talvic\r\n");
}

// The values file kept beside the record is the product's uninstaller's to
// remove as well: the last line of the files, counted.
TEST_F(WriteUninstallRecordTest, TheValuesFileIsTheLastFileWhenItIsKept) {
    lists.files.Add("C:\\Program Files\\Talvic\\talvic.exe");
    extraFiles = {"talvic.ini"};
    lists.registryKeys.Add("HKEY_LOCAL_MACHINE\\Software\\Talvic");
    valuesFile = true;
    ASSERT_EQ(Write(), UninstallRecordResult::Written);
    EXPECT_EQ(Record(), "files 3\r\n"
                        "C:\\Program Files\\Talvic\\talvic.exe\r\n"
                        "C:\\Program Files\\Talvic\\talvic.ini\r\n"
                        "C:\\Program Files\\Talvic\\.uninstallinfos.values\r\n"
                        "folders 0\r\n"
                        "regkeys 1\r\n"
                        "HKEY_LOCAL_MACHINE\\Software\\Talvic\r\n"
                        "longappname\r\n"
                        "Talvic\r\n");
}

// A registry-only installation over an earlier record: the empty lists and
// the empty name keep their lines, and nothing is left beside the record.
TEST_F(WriteUninstallRecordTest, ReplacesAnEarlierRecordAndKeepsEveryLine) {
    PutEarlierRecord();
    lists.registryKeys.Add("HKEY_CURRENT_USER\\Talvic");
    applicationName = "";
    ASSERT_EQ(Write(), UninstallRecordResult::Written);
    EXPECT_EQ(Record(), "files 0\r\nfolders 0\r\nregkeys 1\r\nHKEY_CURRENT_USER\\Talvic\r\n"
                        "longappname\r\n\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(HostRecord("")), {}), 1);
}

TEST_F(WriteUninstallRecordTest, UpdateModeAndAnEmptyInstallationKeepTheEarlierRecord) {
    PutEarlierRecord();
    extraFiles = {"talvic.ini"};
    EXPECT_EQ(Write(), UninstallRecordResult::Skipped); // nothing installed
    lists.files.Add("C:\\Program Files\\Talvic\\talvic.exe");
    updateMode = true;
    EXPECT_EQ(Write(), UninstallRecordResult::Skipped);
    EXPECT_EQ(Record(), "earlier");
}

TEST_F(WriteUninstallRecordTest, FailsWithoutCreatingAFolderOrTouchingTheRecord) {
    lists.files.Add("C:\\x");
    EXPECT_EQ(Write(u"C:\\Program Files\\Missing"), UninstallRecordResult::Failed);
    EXPECT_FALSE(std::filesystem::exists(machine.DriveC("Program Files/Missing")));
    EXPECT_EQ(Write(nullptr), UninstallRecordResult::Failed);
    EXPECT_EQ(Write(std::u16string(600, u'a').c_str()), UninstallRecordResult::Failed);
    // A record that cannot be replaced (here a folder in its place) stays,
    // and the record written beside it is removed again.
    std::filesystem::create_directory(HostRecord());
    EXPECT_EQ(Write(), UninstallRecordResult::Failed);
    EXPECT_TRUE(std::filesystem::is_directory(HostRecord()));
    EXPECT_FALSE(std::filesystem::exists(HostRecord(".uninstallinfos.log.new")));
}

// A record larger than the uninstaller reads is never written: the earlier
// record stays, and the setup keeps its journal instead.
TEST_F(WriteUninstallRecordTest, RefusesARecordLargerThanTheUninstallerReads) {
    const std::string path = "C:\\Program Files\\Talvic\\" + std::string(480, 'f');
    std::size_t bytes = 0;
    for (int i = 0; bytes <= kMaxUndoFileBytes; ++i, bytes += path.size() + 9)
        lists.files.Add((path + std::to_string(1000000 + i)).c_str());
    PutEarlierRecord();
    EXPECT_EQ(Write(), UninstallRecordResult::Failed);
    EXPECT_EQ(Record(), "earlier");
    EXPECT_FALSE(std::filesystem::exists(HostRecord(".uninstallinfos.log.new")));
}
