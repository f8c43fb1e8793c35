// The system registry through its Win32 functions.
#include "TestMachine.h"
#include "platform/Windows.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

class Key {
public:
    Key() = default;
    ~Key() {
        if (handle)
            RegCloseKey(handle);
    }
    HKEY handle = nullptr;
};

LONG SetText(HKEY key, const char* name, const std::string& text) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
}

std::string QueryText(HKEY root, const char* path, const char* name, LONG* result = nullptr) {
    Key key;
    LONG status = RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key.handle);
    char buffer[MAX_PATH] = {};
    DWORD size = sizeof buffer;
    if (status == ERROR_SUCCESS)
        status = RegQueryValueExA(key.handle, name, nullptr, nullptr,
                                  reinterpret_cast<BYTE*>(buffer), &size);
    if (result)
        *result = status;
    return status == ERROR_SUCCESS ? std::string(buffer) : std::string();
}

std::vector<std::string> ValueNames(HKEY key) {
    std::vector<std::string> names;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD size = sizeof name;
        if (RegEnumValueA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr))
            break;
        names.emplace_back(name, size);
    }
    return names;
}

std::vector<std::string> SubKeyNames(HKEY key) {
    std::vector<std::string> names;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr))
            break;
        names.emplace_back(name, size);
    }
    return names;
}

using Registry = MachineTest;

} // namespace

TEST(RegistrySeed, FreshNtMachineHoldsWhatASetupReads) {
    TestMachine machine;
    const char* version = "Software\\Microsoft\\Windows\\CurrentVersion";
    EXPECT_EQ(QueryText(HKEY_LOCAL_MACHINE, version, "ProgramFilesDir"),
              MachineFolders::ProgramFiles());
    EXPECT_EQ(QueryText(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion",
                        "RegisteredOwner"),
              "User");
    LONG result = 0;
    QueryText(HKEY_LOCAL_MACHINE, version, "RegisteredOwner", &result);
    EXPECT_EQ(result, ERROR_FILE_NOT_FOUND);
    std::string shell = std::string(version) + "\\Explorer\\Shell Folders";
    EXPECT_EQ(QueryText(HKEY_LOCAL_MACHINE, shell.c_str(), "Common Programs"),
              MachineFolders::CommonPrograms());
    EXPECT_EQ(QueryText(HKEY_LOCAL_MACHINE, shell.c_str(), "Common Startup"),
              MachineFolders::CommonStartup());
    EXPECT_EQ(QueryText(HKEY_CURRENT_USER, shell.c_str(), "Programs"),
              MachineFolders::UserPrograms());
    EXPECT_EQ(QueryText(HKEY_CURRENT_USER, shell.c_str(), "Startup"),
              MachineFolders::UserStartup());

    Key shared;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(version) + "\\SharedDLLs").c_str(), 0,
                            KEY_READ, &shared.handle),
              ERROR_SUCCESS);
    EXPECT_TRUE(ValueNames(shared.handle).empty());
    EXPECT_TRUE(SubKeyNames(shared.handle).empty());
}

TEST(RegistrySeed, OlderFamilyKeepsTheOwnerUnderWindowsKey) {
    MachineSettings settings;
    settings.family = PlatformFamily::Win9x;
    settings.registeredOwner = "Ann";
    settings.registeredOrganization = "Talvic Ltd";
    TestMachine machine(settings);
    const char* version = "Software\\Microsoft\\Windows\\CurrentVersion";
    EXPECT_EQ(QueryText(HKEY_LOCAL_MACHINE, version, "RegisteredOwner"), "Ann");
    EXPECT_EQ(QueryText(HKEY_LOCAL_MACHINE, version, "RegisteredOrganization"), "Talvic Ltd");
    LONG result = 0;
    QueryText(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion",
              "RegisteredOwner", &result);
    EXPECT_EQ(result, ERROR_FILE_NOT_FOUND);
}

TEST_F(Registry, NamesIgnoreCaseButKeepIt) {
    Key key;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Talvic\\Tools", &key.handle),
              ERROR_SUCCESS);
    ASSERT_EQ(SetText(key.handle, "InstallPath", "C:\\A"), ERROR_SUCCESS);
    ASSERT_EQ(SetText(key.handle, "INSTALLPATH", "C:\\B"), ERROR_SUCCESS);
    EXPECT_EQ(ValueNames(key.handle), std::vector<std::string>{"InstallPath"});
    EXPECT_EQ(QueryText(HKEY_CURRENT_USER, "SOFTWARE\\talvic\\TOOLS", "installpath"), "C:\\B");

    Key again;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "software\\TALVIC", &again.handle), ERROR_SUCCESS);
    EXPECT_EQ(SubKeyNames(again.handle), std::vector<std::string>{"Tools"});
}

TEST_F(Registry, EnumerationFollowsCreationOrder) {
    Key key;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Order", &key.handle), ERROR_SUCCESS);
    for (const char* name : {"zeta", "alpha", "Mid"}) {
        ASSERT_EQ(SetText(key.handle, name, name), ERROR_SUCCESS);
        Key sub;
        ASSERT_EQ(RegCreateKeyA(key.handle, name, &sub.handle), ERROR_SUCCESS);
    }
    ASSERT_EQ(SetText(key.handle, "ZETA", "changed"), ERROR_SUCCESS); // keeps its place
    ASSERT_EQ(RegDeleteValueA(key.handle, "alpha"), ERROR_SUCCESS);
    ASSERT_EQ(SetText(key.handle, "alpha", "back"), ERROR_SUCCESS); // now last
    EXPECT_EQ(ValueNames(key.handle), (std::vector<std::string>{"zeta", "Mid", "alpha"}));
    EXPECT_EQ(SubKeyNames(key.handle), (std::vector<std::string>{"zeta", "alpha", "Mid"}));
    char name[16];
    DWORD size = sizeof name;
    EXPECT_EQ(RegEnumValueA(key.handle, 3, name, &size, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS);
}

TEST_F(Registry, SizesFollowWindows) {
    Key key;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Sizes", &key.handle), ERROR_SUCCESS);
    ASSERT_EQ(SetText(key.handle, "Text", "0123456789"), ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExA(key.handle, "Text", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 11u);
    char small[4] = {'x', 'x', 'x', 'x'};
    size = sizeof small;
    EXPECT_EQ(RegQueryValueExA(key.handle, "Text", nullptr, nullptr, reinterpret_cast<BYTE*>(small),
                               &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 11u);
    EXPECT_EQ(small[0], 'x');

    char name[3];
    DWORD nameSize = sizeof name;
    BYTE data[32];
    DWORD dataSize = sizeof data;
    EXPECT_EQ(RegEnumValueA(key.handle, 0, name, &nameSize, nullptr, nullptr, data, &dataSize),
              ERROR_MORE_DATA);
    EXPECT_EQ(nameSize, 5u); // "Text" and its terminator
    char fits[8];
    nameSize = sizeof fits;
    dataSize = 2;
    EXPECT_EQ(RegEnumValueA(key.handle, 0, fits, &nameSize, nullptr, nullptr, data, &dataSize),
              ERROR_MORE_DATA);
    EXPECT_EQ(dataSize, 11u);
    EXPECT_EQ(nameSize, 4u);
    EXPECT_STREQ(fits, "Text");
}

TEST_F(Registry, NumbersAndBinaryKeepTheirBytes) {
    Key key;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE,
                            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs",
                            &key.handle),
              ERROR_SUCCESS);
    DWORD count = 0x01020304;
    ASSERT_EQ(RegSetValueExA(key.handle, "C:\\Windows\\System32\\a.dll", 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&count), 4),
              ERROR_SUCCESS);
    BYTE bytes[8] = {};
    DWORD size = sizeof bytes, type = 0;
    ASSERT_EQ(
        RegQueryValueExA(key.handle, "c:\\windows\\system32\\A.DLL", nullptr, &type, bytes, &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    ASSERT_EQ(size, 4u);
    EXPECT_EQ(bytes[0], 0x04);
    EXPECT_EQ(bytes[3], 0x01);
    const BYTE binary[] = {0, 1, 0, 0xFF};
    ASSERT_EQ(RegSetValueExA(key.handle, nullptr, 0, REG_BINARY, binary, 4), ERROR_SUCCESS);
    size = sizeof bytes;
    ASSERT_EQ(RegQueryValueExA(key.handle, "", nullptr, &type, bytes, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(std::memcmp(bytes, binary, 4), 0);
}

TEST_F(Registry, MultiLevelPathsAndBadHandles) {
    Key deep;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "A\\B\\C", &deep.handle), ERROR_SUCCESS);
    Key opened;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "A\\B\\C\\", 0, KEY_READ, &opened.handle),
              ERROR_SUCCESS);
    HKEY missing = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "A\\X\\C", 0, KEY_READ, &missing),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "\\A", 0, KEY_READ, &missing), ERROR_BAD_PATHNAME);

    HKEY closed = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "A", 0, KEY_READ, &closed), ERROR_SUCCESS);
    ASSERT_EQ(RegCloseKey(closed), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(closed), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegSetValueExA(closed, "x", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1),
              ERROR_INVALID_HANDLE);
    int local = 0;
    EXPECT_EQ(RegCreateKeyA(reinterpret_cast<HKEY>(&local), "x", &missing), ERROR_INVALID_HANDLE);

    // A handle does not survive a change of machine.
    TestMachine other;
    EXPECT_EQ(SetText(deep.handle, "x", "y"), ERROR_INVALID_HANDLE);
}

TEST_F(Registry, AccessBitsOfTheHandleAreObeyed) {
    Key read;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Access", &read.handle), ERROR_SUCCESS);
    ASSERT_EQ(RegCloseKey(read.handle), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Access", 0, KEY_READ, &read.handle), ERROR_SUCCESS);
    EXPECT_EQ(SetText(read.handle, "v", "x"), ERROR_ACCESS_DENIED);
    Key write;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Access", 0, KEY_SET_VALUE, &write.handle),
              ERROR_SUCCESS);
    EXPECT_EQ(SetText(write.handle, "v", "x"), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(write.handle, "v", nullptr, nullptr, nullptr, nullptr),
              ERROR_ACCESS_DENIED);
}

TEST(RegistryAccess, NonAdministratorCannotWriteTheMachineKeys) {
    MachineSettings settings;
    settings.administrator = false;
    TestMachine machine(settings);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_WRITE, &key),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE", &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_CREATE_SUB_KEY, &key),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(SetText(HKEY_LOCAL_MACHINE, "x", "y"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE,
                            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs"),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(QueryText(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion",
                        "ProgramFilesDir"),
              MachineFolders::ProgramFiles());
    Key user;
    EXPECT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Talvic", &user.handle), ERROR_SUCCESS);
    EXPECT_EQ(SetText(user.handle, "x", "y"), ERROR_SUCCESS);
}

TEST_F(Registry, DeletingKeys) {
    Key parent;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Gone\\Child", &parent.handle), ERROR_SUCCESS);
    ASSERT_EQ(SetText(parent.handle, "v", "x"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Gone"), ERROR_ACCESS_DENIED); // has a sub key
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Gone\\Child"), ERROR_SUCCESS);
    EXPECT_EQ(SetText(parent.handle, "v", "x"), ERROR_KEY_DELETED);
    HKEY child = nullptr;
    EXPECT_EQ(RegCreateKeyA(parent.handle, "Below", &child), ERROR_KEY_DELETED);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Gone"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Gone"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);

    Key tree;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Tree\\A\\B", &tree.handle), ERROR_SUCCESS);
    ASSERT_EQ(SetText(tree.handle, "v", "x"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, "Tree"), ERROR_SUCCESS);
    HKEY none = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Tree", 0, KEY_READ, &none), ERROR_FILE_NOT_FOUND);
}

TEST_F(Registry, PerformanceDataOpensButHoldsNothing) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_PERFORMANCE_DATA, nullptr, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(key, HKEY_PERFORMANCE_DATA);
    EXPECT_EQ(RegCreateKeyA(HKEY_PERFORMANCE_DATA, "x", &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(SetText(HKEY_PERFORMANCE_DATA, "x", "y"), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(ValueNames(HKEY_PERFORMANCE_DATA).empty());
    EXPECT_TRUE(SubKeyNames(HKEY_PERFORMANCE_DATA).empty());
}

// Code page 932: katakana so ("\x83\x5C") and the kanji for "table"
// ("\x95\x5C") end in the byte of a backslash but are single characters.
TEST(RegistryPaths, DoubleByteNamesLiveThroughTheNarrowCalls) {
    MachineSettings settings;
    settings.codePage = 932;
    TestMachine machine(settings);
    const std::string so = "\x83\x5C", soft = so + "\x83\x74\x83\x67", table = "\x95\x5C";
    const std::string path = "Software\\" + soft + "\\" + table;
    Key software, created;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &software.handle),
              ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, path.c_str(), &created.handle), ERROR_SUCCESS);
    ASSERT_EQ(SetText(created.handle, so.c_str(), "1"), ERROR_SUCCESS);
    // No stray key named after the lead byte alone.
    EXPECT_EQ(SubKeyNames(software.handle), (std::vector<std::string>{"Microsoft", soft}));
    EXPECT_EQ(QueryText(HKEY_CURRENT_USER, path.c_str(), so.c_str()), "1");

    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str()), ERROR_SUCCESS);
    LONG result = 0;
    QueryText(HKEY_CURRENT_USER, path.c_str(), so.c_str(), &result);
    EXPECT_EQ(result, ERROR_FILE_NOT_FOUND);
    Key again;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, path.c_str(), &again.handle), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + soft).c_str()), ERROR_SUCCESS);
    EXPECT_EQ(SubKeyNames(software.handle), (std::vector<std::string>{"Microsoft"}));
}

TEST(RegistryPaths, SingleByteMachineSplitsAtEveryBackslashByte) {
    TestMachine machine;
    Key created, software;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\\x83\x5C", &created.handle),
              ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &software.handle),
              ERROR_SUCCESS);
    EXPECT_EQ(SubKeyNames(software.handle), (std::vector<std::string>{"Microsoft", "\x83"}));
}

// Windows keeps keys within 512 levels of their root; a deeper key is
// refused however it is reached: in one path, or level by level from a
// handle already deep down.
TEST_F(Registry, KeysDeeperThan512LevelsAreRefused) {
    std::string path = "L";
    for (int level = 2; level <= 512; ++level)
        path += "\\L";
    Key deepest;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, path.c_str(), &deepest.handle), ERROR_SUCCESS);
    HKEY tooDeep = nullptr;
    EXPECT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, (path + "\\L").c_str(), &tooDeep),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCreateKeyA(deepest.handle, "L", &tooDeep), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(tooDeep, nullptr);

    Key half;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path.substr(0, 2 * 300 - 1).c_str(), 0,
                            KEY_ALL_ACCESS, &half.handle),
              ERROR_SUCCESS);
    Key below;
    EXPECT_EQ(RegCreateKeyA(half.handle, path.substr(0, 2 * 212 - 1).c_str(), &below.handle),
              ERROR_SUCCESS);
    EXPECT_EQ(RegCreateKeyA(half.handle, path.substr(0, 2 * 213 - 1).c_str(), &tooDeep),
              ERROR_INVALID_PARAMETER);
}
