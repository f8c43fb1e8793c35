#include "Japanese932.h"
#include "TestMachine.h"
#include "engine/WriteRegistryKeys.h"
#include "platform/WinError.h"
#include "platform/WinReg.h"
#include "toolkit/KIVRegistry.h"

#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace {

RegistryValueRecord Value(const char* name, std::int32_t type, const char* text, int number = 0) {
    RegistryValueRecord value;
    std::strcpy(value.name, name);
    value.type = type;
    std::strcpy(value.text, text);
    value.number = number;
    return value;
}

RegistryKeyRecord Key(const char* path, std::vector<RegistryValueRecord> values = {}) {
    RegistryKeyRecord key;
    std::strcpy(key.keyPath, path);
    key.values = std::move(values);
    return key;
}

// The type and bytes of root\path's value; type 0 when it cannot be read.
std::pair<DWORD, std::string> Query(HKEY root, const char* path, const char* name) {
    HKEY key = nullptr;
    char data[600];
    DWORD type = 0, size = sizeof data;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {0, ""};
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size))
        type = size = 0;
    RegCloseKey(key);
    return {type, std::string(data, size)};
}

class WriteRegistryKeysTest : public MachineTest {
protected:
    bool Write(const std::vector<RegistryKeyRecord>& keys) {
        return WriteRegistryKeys(keys, store, expand, &written);
    }
    std::vector<std::string> Written() const {
        std::vector<std::string> paths;
        for (int i = 0; i < written.GetSize(); ++i)
            paths.emplace_back(written.GetAt(i));
        return paths;
    }
    std::string RegistryFile() const {
        std::ifstream in(machine.DriveC("Windows/t.reg"), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Replaces "<APP>" by appName, cut to the destination as the setup's does.
    std::string appName = "Talvic";
    ExpandSetupText expand = [this](const char* source, char* destination, int size) {
        std::string text = source;
        for (std::size_t at; (at = text.find("<APP>")) != std::string::npos;)
            text.replace(at, 5, appName);
        std::snprintf(destination, static_cast<std::size_t>(size), "%s", text.c_str());
    };
    RegistryStoreChoice store;
    RegistryKeyList written;
};

using Stored = std::pair<DWORD, std::string>;

} // namespace

TEST_F(WriteRegistryKeysTest, PathsTextsAndTheDefaultValue) {
    appName = "Talvic Pro";
    ASSERT_TRUE(
        Write({Key("HKEY_LOCAL_MACHINE\\Software\\<APP>\\",
                   {Value("<DEFAULT>", REG_SZ, "<APP> 4.0"), Value("<default>", REG_SZ, "named")}),
               Key("HKEY_CURRENT_USER", {Value("Lone", REG_SZ, "x")})}));
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, "Software\\Talvic Pro", nullptr),
              Stored(REG_SZ, {"Talvic Pro 4.0", 15}));
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, "Software\\Talvic Pro", "<default>"),
              Stored(REG_SZ, {"named", 6}));
    EXPECT_EQ(Query(HKEY_CURRENT_USER, "", "Lone"), Stored(REG_SZ, {"x", 2}));
    EXPECT_EQ(Written(), (std::vector<std::string>{"HKEY_LOCAL_MACHINE\\Software\\Talvic Pro\\",
                                                   "HKEY_CURRENT_USER"}));
}

TEST_F(WriteRegistryKeysTest, NumbersTakeTheFormOfTheirType) {
    ASSERT_TRUE(Write(
        {Key("HKEY_CURRENT_USER\\N", {Value("D", REG_DWORD, "", -2), Value("Q", REG_QWORD, "", -2),
                                      Value("B", REG_BINARY, "", 42)})}));
    EXPECT_EQ(Query(HKEY_CURRENT_USER, "N", "D"), Stored(REG_DWORD, {"\xFE\xFF\xFF\xFF", 4}));
    EXPECT_EQ(Query(HKEY_CURRENT_USER, "N", "Q"),
              Stored(REG_QWORD, {"\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 8}));
    EXPECT_EQ(Query(HKEY_CURRENT_USER, "N", "B"), Stored(REG_BINARY, {"42", 3}));
}

TEST_F(WriteRegistryKeysTest, DontUninstallKeyIsWrittenButNotListed) {
    RegistryKeyRecord kept = Key("HKEY_CURRENT_USER\\Kept", {Value("V", REG_SZ, "1")});
    kept.dontUninstall = true;
    ASSERT_TRUE(Write({kept, Key("HKEY_CURRENT_USER\\Gone")}));
    EXPECT_EQ(Query(HKEY_CURRENT_USER, "Kept", "V").first, REG_SZ);
    EXPECT_EQ(Written(), std::vector<std::string>{"HKEY_CURRENT_USER\\Gone"});
}

// Each failure stops the writing at once: keys before stay written and
// listed, the failing key is not listed, and the keys after are not written.
TEST_F(WriteRegistryKeysTest, FailuresStopAtOnce) {
    const std::vector<RegistryKeyRecord> bad = {
        Key("hkey_current_user\\Software\\Lower"),               // root names are exact
        Key("HKEY_PERFORMANCE_DATA", {Value("V", REG_SZ, "1")}), // the value cannot be set
        Key("HKEY_CURRENT_USER\\<APP>"),                         // too long once substituted
        Key("HKEY_CURRENT_USER\\Long", {Value("V", REG_SZ, "<APP><APP>")}), // the same for a text
    };
    appName = std::string(250, 'a');
    for (const RegistryKeyRecord& key : bad) {
        SCOPED_TRACE(key.keyPath);
        written.RemoveAll();
        EXPECT_FALSE(
            Write({Key("HKEY_CURRENT_USER\\Before"), key, Key("HKEY_CURRENT_USER\\After")}));
        EXPECT_EQ(Written(), std::vector<std::string>{"HKEY_CURRENT_USER\\Before"});
        HKEY after = nullptr;
        EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "After", 0, KEY_READ, &after), ERROR_SUCCESS);
    }
}

// [SECTION] The registry file

// The file shows every level made: a trailing "\" adds none, and an unknown
// root never reaches the file (a null key would be its first line). Numbers
// are text there; WINREG keys go to the system registry.
TEST_F(WriteRegistryKeysTest, FileTakesTheKeysWithoutWinreg) {
    store = {true, false, u"t.reg"};
    RegistryKeyRecord system = Key("HKEY_LOCAL_MACHINE\\Sys", {Value("V", REG_SZ, "s")});
    system.winreg = true;
    ASSERT_TRUE(Write({Key("HKEY_LOCAL_MACHINE\\A\\B\\", {Value("D", REG_DWORD, "", 7)}), system}));
    EXPECT_FALSE(Write({Key("HKLM", {Value("W", REG_SZ, "2")})}));
    EXPECT_EQ(RegistryFile(), "$ROOT$\r\r\n$MACHINE$\r\r\n[A]\r\r\n[B]\r\r\nD:7\r\r\n");
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, "Sys", "V").first, REG_SZ);
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, "A\\B", "D").first, 0u);
}

TEST_F(WriteRegistryKeysTest, FileIsDeletedFirstWhenAsked) {
    HKEY stale = nullptr;
    ASSERT_EQ(KIVRegOpenKey(HKEY_LOCAL_MACHINE, "Stale", 0, KEY_WRITE, &stale, u"t.reg"), 0);
    store = {true, true, u"t.reg"};
    ASSERT_TRUE(Write({Key("HKEY_LOCAL_MACHINE\\New")}));
    EXPECT_EQ(RegistryFile(), "$ROOT$\r\r\n$MACHINE$\r\r\n[New]\r\r\n");
}

TEST_F(WriteRegistryKeysTest, FileWithoutNameNeverFallsBackToTheSystemRegistry) {
    store = {true, false, nullptr};
    EXPECT_FALSE(Write({Key("HKEY_LOCAL_MACHINE\\Software\\Nameless")}));
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, "Software\\Nameless", nullptr).first, 0u);
}

// [SECTION] Key names of code page 932

// ソ (83 5C) and 表 (95 5C) end in the backslash byte; each level of the key
// path is a whole name, in the system registry and in the registry file.
class JapaneseWriteRegistryKeysTest : public WriteRegistryKeysTest {
protected:
    std::string JapaneseRegistryFile() const {
        std::ifstream in(japanese.DriveC("Windows/t.reg"), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    TestMachine japanese{Japanese932Settings()};
};

constexpr const char* kSoftHyo = "Software\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C";

TEST_F(JapaneseWriteRegistryKeysTest, KeyNamesEndingInA5CByteAreOneLevelEach) {
    const std::string path = std::string("HKEY_LOCAL_MACHINE\\") + kSoftHyo;
    ASSERT_TRUE(Write({Key(path.c_str(), {Value("V", REG_SZ, "x")})}));
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, kSoftHyo, "V"), Stored(REG_SZ, {"x", 2}));
    HKEY broken = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\\x83", 0, KEY_READ, &broken),
              ERROR_SUCCESS);
    EXPECT_EQ(Written(), std::vector<std::string>{path});

    store = {true, false, u"t.reg"};
    ASSERT_TRUE(Write({Key(path.c_str())}));
    EXPECT_EQ(JapaneseRegistryFile(),
              "$ROOT$\r\r\n$MACHINE$\r\r\n[Software]\r\r\n[\x83\x5C\x83\x74\x83\x67]"
              "\r\r\n[\x95\x5C]\r\r\n");
}
