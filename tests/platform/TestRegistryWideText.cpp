// Text values as each family keeps them: UTF-16 on the NT family, handed
// exactly to the "W" calls and converted for the "A" calls; ANSI bytes on
// the older family, which has no "W" value calls.
#include "TestMachine.h"
#include "platform/Windows.h"

#include <string>

namespace {

// "日本語" (Japanese), which code page 1252 cannot spell.
const std::u16string kJapanese = u"\u65E5\u672C\u8A9E";

std::string Bytes(const std::u16string& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

LONG SetW(HKEY key, const char16_t* name, DWORD type, const std::string& data) {
    return RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size()));
}

LONG SetA(HKEY key, const char* name, DWORD type, const std::string& data) {
    return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size()));
}

// The data of a value through RegQueryValueExA or RegQueryValueExW.
template <typename Char>
std::string Query(LONG (*query)(HKEY, const Char*, LPDWORD, LPDWORD, LPBYTE, LPDWORD), HKEY key,
                  const Char* name, LONG* result) {
    BYTE data[256];
    DWORD size = sizeof data;
    LONG status = query(key, name, nullptr, nullptr, data, &size);
    if (result)
        *result = status;
    return status == ERROR_SUCCESS ? std::string(reinterpret_cast<char*>(data), size) : "";
}

std::string QueryA(HKEY key, const char* name, LONG* result = nullptr) {
    return Query(RegQueryValueExA, key, name, result);
}

std::string QueryW(HKEY key, const char16_t* name, LONG* result = nullptr) {
    return Query(RegQueryValueExW, key, name, result);
}

HKEY CreateKey(const char* path) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, path, &key), ERROR_SUCCESS);
    return key;
}

// Reopens the machine with another family, as a changed machine.ini would.
void SwitchFamily(const TestMachine& machine, PlatformFamily family) {
    MachineSettings settings;
    ASSERT_TRUE(Machine::LoadSettings(machine.Root(), &settings));
    settings.family = family;
    ASSERT_TRUE(Machine::SaveSettings(machine.Root(), settings));
    ASSERT_TRUE(Machine::Use(machine.Root()));
}

using RegistryWideTextTest = MachineTest;

} // namespace

TEST_F(RegistryWideTextTest, NtKeepsTextTheCodePageLacksForTheWideCalls) {
    HKEY key = CreateKey("Software\\Wide");
    const std::string text = Bytes(kJapanese + u'\0');
    ASSERT_EQ(SetW(key, u"Name", REG_SZ, text), ERROR_SUCCESS);
    ASSERT_EQ(SetW(key, u"List", REG_MULTI_SZ,
                   Bytes(std::u16string(u"a\0", 2) + kJapanese + std::u16string(2, u'\0'))),
              ERROR_SUCCESS);
    EXPECT_EQ(QueryW(key, u"Name"), text);

    // The "A" calls see the machine's code page: "?" for each character it
    // lacks, and the size of that converted data.
    EXPECT_EQ(QueryA(key, "Name"), std::string("???\0", 4));
    EXPECT_EQ(QueryA(key, "List"), std::string("a\0???\0\0", 7));
    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueExA(key, "Name", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 4u);
    BYTE small[2];
    size = sizeof small;
    EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, nullptr, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 4u);

    char16_t name[8];
    DWORD nameLength = 8;
    BYTE data[64];
    size = sizeof data;
    ASSERT_EQ(RegEnumValueW(key, 0, name, &nameLength, nullptr, &type, data, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(name, nameLength), u"Name");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), text);
    char ansiName[8];
    nameLength = 8;
    size = sizeof data;
    ASSERT_EQ(RegEnumValueA(key, 0, ansiName, &nameLength, nullptr, &type, data, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), std::string("???\0", 4));
    RegCloseKey(key);
}

TEST_F(RegistryWideTextTest, NtConvertsTextOfTheACallsOnlyForTextTypes) {
    HKEY key = CreateKey("Software\\Wide");
    ASSERT_EQ(SetA(key, "Path", REG_EXPAND_SZ, std::string("%WINDIR%\\caf\xE9\0", 14)),
              ERROR_SUCCESS);
    ASSERT_EQ(SetA(key, "Blob", REG_BINARY, std::string("caf\xE9", 4)), ERROR_SUCCESS);
    EXPECT_EQ(QueryW(key, u"Path"), Bytes(std::u16string(u"%WINDIR%\\caf\u00E9\0", 14)));
    EXPECT_EQ(QueryA(key, "Path"), std::string("%WINDIR%\\caf\xE9\0", 14));
    EXPECT_EQ(QueryW(key, u"Blob"), std::string("caf\xE9", 4));
    EXPECT_EQ(QueryA(key, "Blob"), std::string("caf\xE9", 4));
    // A name the code page cannot spell names no value of this registry.
    LONG result = 0;
    QueryW(key, kJapanese.c_str(), &result);
    EXPECT_EQ(result, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(SetW(key, kJapanese.c_str(), REG_SZ, Bytes(u"x")), ERROR_NO_UNICODE_TRANSLATION);
    RegCloseKey(key);
}

TEST(RegistryWideText, OlderFamilyKeepsAnsiBytesAndHasNoWideCalls) {
    MachineSettings settings;
    settings.family = PlatformFamily::Win9x;
    TestMachine machine(settings);
    HKEY key = CreateKey("Software\\Narrow");
    // 0x81 is no character of code page 1252; the older family keeps it.
    const std::string odd("a\x81\0", 3);
    ASSERT_EQ(SetA(key, "Odd", REG_SZ, odd), ERROR_SUCCESS);
    EXPECT_EQ(QueryA(key, "Odd"), odd);
    LONG result = 0;
    QueryW(key, u"Odd", &result);
    EXPECT_EQ(result, ERROR_CALL_NOT_IMPLEMENTED);
    EXPECT_EQ(SetW(key, u"New", REG_SZ, Bytes(u"x")), ERROR_CALL_NOT_IMPLEMENTED);
    char16_t name[8];
    DWORD length = 8;
    EXPECT_EQ(RegEnumValueW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_CALL_NOT_IMPLEMENTED);
    RegCloseKey(key);
}

// A registry kept in the other form (made before the NT form existed, when
// every machine kept ANSI, or by a machine of the other family) is
// converted when it is opened, and reads as the text it held.
TEST(RegistryWideText, AnAnsiRegistryOpensOnTheNtFamilyAndBack) {
    MachineSettings settings;
    settings.family = PlatformFamily::Win9x;
    settings.registeredOwner = "Zo\xC3\xAB";
    TestMachine machine(settings);
    HKEY key = CreateKey("Software\\Kept");
    ASSERT_EQ(SetA(key, "Text", REG_SZ, std::string("caf\xE9\0", 5)), ERROR_SUCCESS);
    ASSERT_EQ(SetA(key, "Number", REG_DWORD, std::string("\xE9\0\0\0", 4)), ERROR_SUCCESS);
    RegCloseKey(key);

    SwitchFamily(machine, PlatformFamily::NT);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Kept", 0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(QueryW(key, u"Text"), Bytes(std::u16string(u"caf\u00E9\0", 5)));
    EXPECT_EQ(QueryW(key, u"Number"), std::string("\xE9\0\0\0", 4));
    HKEY owner = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                            KEY_READ, &owner),
              ERROR_SUCCESS);
    EXPECT_EQ(QueryW(owner, u"RegisteredOwner"), Bytes(std::u16string(u"Zo\u00EB\0", 4)));
    RegCloseKey(owner);
    ASSERT_EQ(SetW(key, u"Wide", REG_SZ, Bytes(kJapanese + u'\0')), ERROR_SUCCESS);
    RegCloseKey(key);

    // Back on the older family the text is ANSI again; what the code page
    // lacks became "?".
    SwitchFamily(machine, PlatformFamily::Win9x);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Kept", 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(QueryA(key, "Text"), std::string("caf\xE9\0", 5));
    EXPECT_EQ(QueryA(key, "Wide"), std::string("???\0", 4));
    RegCloseKey(key);
}
