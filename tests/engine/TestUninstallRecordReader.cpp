#include "Japanese932.h"
#include "TestMachine.h"
#include "engine/UninstallRecordReader.h"

#include <gtest/gtest.h>
#include <string>

namespace {

const char kRecord[] = "files 2\r\n"
                       "C:\\Program Files\\Talvic\\\\talvic.exe\r\n"
                       "C:\\Users\\User\\AppData\\Local\\Temp\\TemporaryFiles\\kivrt.dll\r\n"
                       "folders 2\r\n"
                       "C:\\Program Files\\Talvic\\\r\n"
                       "C:\\Program Files\\Talvic\\\r\n"
                       "regkeys 1\r\n"
                       "HKEY_LOCAL_MACHINE\\Software\\Kiv\\Talvic\r\n"
                       "longappname\r\n"
                       "Talvic Studio\r\n";

UninstallRecordError Refusal(const std::string& bytes) {
    UninstallRecord record;
    UninstallRecordError error;
    EXPECT_FALSE(ReadUninstallRecord(bytes, &record, &error)) << bytes;
    EXPECT_TRUE(record.files.empty() && record.folders.empty() && record.registryKeys.empty());
    return error;
}

} // namespace

TEST(UninstallRecordReader, ReadsEverySectionAsWritten) {
    UninstallRecord record;
    UninstallRecordError error;
    ASSERT_TRUE(ReadUninstallRecord(kRecord, &record, &error)) << error.reason;
    EXPECT_EQ(record.files.size(), 2u);
    EXPECT_EQ(record.files[0], "C:\\Program Files\\Talvic\\\\talvic.exe");
    EXPECT_EQ(record.folders.size(), 2u);
    EXPECT_EQ(record.registryKeys.at(0), "HKEY_LOCAL_MACHINE\\Software\\Kiv\\Talvic");
    EXPECT_EQ(record.applicationName, "Talvic Studio");
}

TEST(UninstallRecordReader, ReadsEmptyListsAndAnEmptyName) {
    UninstallRecord record;
    UninstallRecordError error;
    EXPECT_TRUE(ReadUninstallRecord("files 0\r\nfolders 0\r\nregkeys 0\r\nlongappname\r\n\r\n",
                                    &record, &error))
        << error.reason;
}

TEST(UninstallRecordReader, RefusesDamagedRecordsNamingTheLine) {
    const std::string good = kRecord;
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string bytes = good;
        return bytes.replace(bytes.find(from), from.size(), to);
    };
    EXPECT_EQ(Refusal(replaced("files 2", "files 3")).line, 4); // "folders 2" read as a path
    EXPECT_EQ(Refusal(replaced("folders 2", "folders 3")).line, 7);
    EXPECT_EQ(Refusal(replaced("files 2", "files 1")).line, 3);
    EXPECT_EQ(Refusal(replaced("files 2", "files 02")).line, 1);
    EXPECT_EQ(Refusal(replaced("files 2", "files -2")).line, 1);
    EXPECT_EQ(Refusal(good.substr(0, good.size() - 2)).line, 10); // last line cut
    EXPECT_EQ(Refusal(good.substr(0, good.find("regkeys"))).line, 7);
    EXPECT_EQ(Refusal(good + "extra\r\n").line, 11);
    EXPECT_EQ(Refusal(replaced("longappname", "appname")).line, 9);
    EXPECT_EQ(Refusal(replaced("\r\nfolders", "\nfolders")).line, 3);
    EXPECT_EQ(Refusal("").line, 1);
    const std::string reason = Refusal(replaced("files 2", "files 9")).reason;
    EXPECT_NE(reason.find("files 9"), std::string::npos) << reason;
}

TEST(UninstallRecordReader, RefusesPathsThatCouldLeadElsewhere) {
    const std::string good = kRecord;
    for (const char* path :
         {"C:\\Program Files\\Talvic\\..\\..\\Windows\\win.ini",
          "C:\\Program Files\\Talvic\\.\\talvic.exe", "talvic.exe", "\\Program Files\\talvic.exe",
          "C:talvic.exe", "C:\\Program Files\\Talvic/../x", "C:\\a\\b:stream",
          "C:\\Program Files\\Talvic\\\ttab"}) {
        std::string bytes = good;
        const std::string from = "C:\\Program Files\\Talvic\\\\talvic.exe";
        bytes.replace(bytes.find(from), from.size(), path);
        EXPECT_EQ(Refusal(bytes).line, 2) << path;
    }
    EXPECT_EQ(Refusal(good.substr(0, good.find("C:\\Program Files\\Talvic\\\\")) +
                      std::string(520, 'a') + "\r\n")
                  .line,
              2);
}

TEST(UninstallRecordReader, RefusesKeysWithoutARootOrWithEmptyParts) {
    for (const char* key :
         {"HKLM\\Software\\Talvic", "HKEY_LOCAL_MACHINE", "HKEY_LOCAL_MACHINE\\",
          "HKEY_LOCAL_MACHINE\\Software\\\\Talvic", "hkey_local_machine\\Software"}) {
        std::string bytes = kRecord;
        const std::string from = "HKEY_LOCAL_MACHINE\\Software\\Kiv\\Talvic";
        bytes.replace(bytes.find(from), from.size(), key);
        EXPECT_EQ(Refusal(bytes).line, 8) << key;
    }
}

// What the setup writes, the reader reads: a list has no count limit of its
// own (an install of a million files and more is read back), and a count
// that the lines do not back is refused however large it is.
TEST(UninstallRecordReader, ReadsMoreThanAMillionFilesAndRefusesUnbackedCounts) {
    const std::size_t files = 1000100;
    std::string bytes = "files " + std::to_string(files) + "\r\n";
    for (std::size_t i = 0; i < files; ++i)
        bytes += "C:\\P\\f" + std::to_string(i) + "\r\n";
    bytes += "folders 0\r\nregkeys 0\r\nlongappname\r\nP\r\n";
    UninstallRecord record;
    UninstallRecordError error;
    ASSERT_TRUE(ReadUninstallRecord(bytes, &record, &error)) << error.reason;
    EXPECT_EQ(record.files.size(), files);
    EXPECT_EQ(record.files.back(), "C:\\P\\f1000099");

    EXPECT_EQ(Refusal("files 999999999\r\nC:\\P\\a\r\n").line, 3);
    EXPECT_EQ(Refusal("files 1000000000\r\n").line, 1);
}

// In code page 932 ソ (83 5C) and 表 (95 5C) end in the backslash byte: a key
// or a file named with them is whole, and no empty part is seen after them.
TEST(UninstallRecordReader, ReadsNamesWhoseTrailByteIsABackslash) {
    TestMachine machine(Japanese932Settings());
    const std::string key = "HKEY_LOCAL_MACHINE\\Software\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C";
    const std::string file = "C:\\Program Files\\Talvic\\Program\\\x95\x5C\\a.txt";
    const std::string bytes = "files 1\r\n" + file + "\r\nfolders 0\r\nregkeys 1\r\n" + key +
                              "\r\nlongappname\r\nTalvic Studio\r\n";
    UninstallRecord record;
    UninstallRecordError error;
    ASSERT_TRUE(ReadUninstallRecord(bytes, &record, &error)) << error.line << error.reason;
    EXPECT_EQ(record.registryKeys, std::vector<std::string>{key});
    EXPECT_EQ(record.files, std::vector<std::string>{file});
}
