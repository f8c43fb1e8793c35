#include "TestMachine.h"
#include "engine/WriteRegistryKeys.h"
#include "platform/WinError.h"
#include "platform/WinReg.h"
#include "toolkit/KIVRegistry.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

RegistryValueRecord Text(const char* name, const char* text) {
    RegistryValueRecord value;
    std::strcpy(value.name, name);
    value.type = REG_SZ;
    std::strcpy(value.text, text);
    return value;
}

RegistryValueRecord Number(const char* name, std::int32_t type, std::int32_t number) {
    RegistryValueRecord value;
    std::strcpy(value.name, name);
    value.type = type;
    value.number = number;
    return value;
}

RegistryKeyRecord Key(const char* path, std::vector<RegistryValueRecord> values = {}) {
    RegistryKeyRecord key;
    std::strcpy(key.keyPath, path);
    key.values = std::move(values);
    return key;
}

// One value as the system registry holds it: its type and bytes.
struct Stored {
    DWORD type = 0;
    std::string bytes;
    bool operator==(const Stored&) const = default;
};

// The value of root\path named name; the type is 0 when it cannot be read.
Stored Query(HKEY root, const char* path, const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    Stored stored;
    char data[600];
    DWORD size = sizeof data;
    if (RegQueryValueExA(key, name, nullptr, &stored.type, reinterpret_cast<BYTE*>(data), &size) ==
        ERROR_SUCCESS)
        stored.bytes.assign(data, size);
    else
        stored.type = 0;
    RegCloseKey(key);
    return stored;
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

} // namespace

TEST_F(WriteRegistryKeysTest, TrailingBackslashCreatesEachLevelAndStops) {
    ASSERT_TRUE(Write({Key("HKEY_LOCAL_MACHINE\\Software\\<APP>\\", {Text("Path", "C:\\T")})}));
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, "Software\\Talvic", "Path"),
              (Stored{REG_SZ, {"C:\\T", 5}}));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Talvic", 0, KEY_READ, &key), 0);
    char name[32];
    DWORD size = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS); // no key with an empty name below
    RegCloseKey(key);
    EXPECT_EQ(Written(), std::vector<std::string>{"HKEY_LOCAL_MACHINE\\Software\\Talvic\\"});
}

TEST_F(WriteRegistryKeysTest, LoneRootTakesTheValuesItself) {
    ASSERT_TRUE(Write({Key("HKEY_CURRENT_USER", {Text("Lone", "x")})}));
    EXPECT_EQ(Query(HKEY_CURRENT_USER, "", "Lone"), (Stored{REG_SZ, {"x", 2}}));
    EXPECT_EQ(Written(), std::vector<std::string>{"HKEY_CURRENT_USER"});
}

TEST_F(WriteRegistryKeysTest, DefaultNameAndSubstitutedTextWithItsNul) {
    appName = "Talvic Pro";
    ASSERT_TRUE(Write({Key("HKEY_CURRENT_USER\\Software\\K",
                           {Text("<DEFAULT>", "<APP> 4.0"), Text("<default>", "named")})}));
    EXPECT_EQ(Query(HKEY_CURRENT_USER, "Software\\K", nullptr),
              (Stored{REG_SZ, {"Talvic Pro 4.0", 15}}));
    EXPECT_EQ(Query(HKEY_CURRENT_USER, "Software\\K", "<default>"), (Stored{REG_SZ, {"named", 6}}));
}

TEST_F(WriteRegistryKeysTest, NumbersTakeTheFormOfTheirType) {
    ASSERT_TRUE(
        Write({Key("HKEY_CURRENT_USER\\N", {Number("D", REG_DWORD, -2), Number("Q", REG_QWORD, -2),
                                            Number("B", REG_BINARY, 42)})}));
    EXPECT_EQ(Query(HKEY_CURRENT_USER, "N", "D"), (Stored{REG_DWORD, {"\xFE\xFF\xFF\xFF", 4}}));
    EXPECT_EQ(Query(HKEY_CURRENT_USER, "N", "Q"),
              (Stored{REG_QWORD, {"\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 8}}));
    EXPECT_EQ(Query(HKEY_CURRENT_USER, "N", "B"), (Stored{REG_BINARY, {"42", 3}}));
}

TEST_F(WriteRegistryKeysTest, DontUninstallKeyIsWrittenButNotListed) {
    RegistryKeyRecord kept = Key("HKEY_CURRENT_USER\\Kept", {Text("V", "1")});
    kept.dontUninstall = true;
    ASSERT_TRUE(Write({kept, Key("HKEY_CURRENT_USER\\Gone")}));
    EXPECT_EQ(Query(HKEY_CURRENT_USER, "Kept", "V").type, REG_SZ);
    EXPECT_EQ(Written(), std::vector<std::string>{"HKEY_CURRENT_USER\\Gone"});
}

// Each failure stops the writing at once: keys before stay written and
// listed, the failing key is not listed, and the keys after are not written.
TEST_F(WriteRegistryKeysTest, FailuresStopAtOnce) {
    const std::vector<RegistryKeyRecord> bad = {
        Key("hkey_current_user\\Software\\Lower"),      // root names are exact
        Key("HKLM", {Text("V", "1")}),                  // an unknown root never takes values
        Key("HKEY_PERFORMANCE_DATA", {Text("V", "1")}), // the value cannot be set
        Key("HKEY_CURRENT_USER\\<APP>"),                // too long once substituted
        Key("HKEY_CURRENT_USER\\Long", {Text("V", "<APP><APP>")}), // the same for a text
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

TEST(WriteRegistryKeys, WithoutRightsTheMachineKeyFails) {
    MachineSettings settings;
    settings.administrator = false;
    TestMachine machine(settings);
    RegistryKeyList written;
    const ExpandSetupText copy = [](const char* s, char* d, int n) {
        std::snprintf(d, n, "%s", s);
    };
    EXPECT_FALSE(WriteRegistryKeys({Key("HKEY_LOCAL_MACHINE\\Software\\T")}, {}, copy, &written));
    EXPECT_EQ(written.GetSize(), 0);
}

// [SECTION] The registry file

TEST_F(WriteRegistryKeysTest, FileTakesKeysWithoutWinregAndNumbersAsText) {
    store = {true, false, u"talvic.reg"};
    RegistryKeyRecord system = Key("HKEY_LOCAL_MACHINE\\Software\\Sys", {Text("V", "s")});
    system.winreg = true;
    ASSERT_TRUE(
        Write({Key("HKEY_LOCAL_MACHINE\\Software\\<APP>", {Number("D", REG_DWORD, 7)}), system}));
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, "Software\\Sys", "V").type, REG_SZ);
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, "Software\\Talvic", "D").type, 0u);
    HKEY software = nullptr, key = nullptr;
    ASSERT_EQ(KIVRegOpenKey(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &software, u"talvic.reg"),
              0);
    ASSERT_EQ(KIVRegOpenKey(software, "Talvic", 0, KEY_READ, &key, u"talvic.reg"), 0);
    char name[16] = {}, data[16] = {};
    DWORD nameSize = sizeof name, dataSize = sizeof data;
    ASSERT_EQ(KIVRegEnumValue(key, 0, name, &nameSize, nullptr, nullptr,
                              reinterpret_cast<BYTE*>(data), &dataSize, u"talvic.reg"),
              0);
    EXPECT_STREQ(name, "D");
    EXPECT_STREQ(data, "7");
    EXPECT_EQ(Written().size(), 2u);
}

TEST_F(WriteRegistryKeysTest, FileIsDeletedFirstWhenAsked) {
    HKEY stale = nullptr;
    ASSERT_EQ(KIVRegOpenKey(HKEY_LOCAL_MACHINE, "Stale", 0, KEY_WRITE, &stale, u"t.reg"), 0);
    store = {true, true, u"t.reg"};
    ASSERT_TRUE(Write({Key("HKEY_LOCAL_MACHINE\\New")}));
    EXPECT_NE(KIVRegOpenKey(HKEY_LOCAL_MACHINE, "Stale", 0, KEY_READ, &stale, u"t.reg"), 0);
    EXPECT_EQ(KIVRegOpenKey(HKEY_LOCAL_MACHINE, "New", 0, KEY_READ, &stale, u"t.reg"), 0);
}

// The registry file shows every level made: a trailing "\" adds none, and an
// unknown root never reaches the file (a null key would be its first line).
TEST_F(WriteRegistryKeysTest, FileGetsNoEmptyLevelAndNoValueOfAnUnknownRoot) {
    store = {true, false, u"t.reg"};
    ASSERT_TRUE(Write({Key("HKEY_LOCAL_MACHINE\\A\\B\\", {Text("V", "1")})}));
    EXPECT_FALSE(Write({Key("HKLM", {Text("W", "2")})}));
    std::ifstream in(machine.DriveC("Windows/t.reg"), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "$ROOT$\r\r\n$MACHINE$\r\r\n[A]\r\r\n[B]\r\r\nV:1\r\r\n");
}

TEST_F(WriteRegistryKeysTest, FileWithoutNameNeverFallsBackToTheSystemRegistry) {
    store = {true, false, nullptr};
    EXPECT_FALSE(Write({Key("HKEY_LOCAL_MACHINE\\Software\\Nameless")}));
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, "Software\\Nameless", nullptr).type, 0u);
}
