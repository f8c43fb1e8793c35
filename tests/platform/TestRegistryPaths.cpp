// Key paths of the system registry on a machine whose code page has
// double-byte characters: "\x83\x5C" (katakana so) and "\x95\x5C" (the kanji
// for "table") end in the byte of a backslash but are single characters.
#include "TestMachine.h"
#include "platform/RegistryNames.h"
#include "platform/Windows.h"

#include <string>
#include <vector>

namespace {

const std::string kSo = "\x83\x5C";    // katakana so
const std::string kTable = "\x95\x5C"; // kanji "table"
const std::string kSoft = kSo + "\x83\x74\x83\x67";

MachineSettings Japanese() {
    MachineSettings settings;
    settings.codePage = 932;
    return settings;
}

std::vector<std::string> SubKeyNames(HKEY root, const std::string& path) {
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {"(cannot open " + path + ")"};
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr))
            break;
        names.emplace_back(name, size);
    }
    RegCloseKey(key);
    return names;
}

using Names = std::vector<std::string>;

} // namespace

TEST(RegistryPaths, SplitOnlyAtBackslashCharacters) {
    EXPECT_EQ(RegistryNames::SplitPath("A\\" + kSo + "\\B", 932), (Names{"A", kSo, "B"}));
    EXPECT_EQ(RegistryNames::SplitPath(kTable + "\\" + kSoft, 932), (Names{kTable, kSoft}));
    // In code page 1252 the same bytes are two characters each.
    EXPECT_EQ(RegistryNames::SplitPath("A\\" + kSo + "\\B", 1252), (Names{"A", "\x83", "", "B"}));
    // Empty names are kept; a lead byte at the very end stays a byte of its own.
    EXPECT_EQ(RegistryNames::SplitPath("A\\\\B\\", 932), (Names{"A", "", "B", ""}));
    EXPECT_EQ(RegistryNames::SplitPath("", 932), (Names{""}));
    EXPECT_EQ(RegistryNames::SplitPath("A\\\x83", 932), (Names{"A", "\x83"}));
}

TEST(RegistryPaths, DoubleByteNamesLiveThroughTheNarrowCalls) {
    TestMachine machine(Japanese());
    const std::string path = "Software\\" + kSoft + "\\" + kTable;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, path.c_str(), &key), ERROR_SUCCESS);
    const BYTE data[] = "1";
    ASSERT_EQ(RegSetValueExA(key, kSo.c_str(), 0, REG_SZ, data, 2), ERROR_SUCCESS);
    RegCloseKey(key);
    // No stray key named after the lead byte alone.
    EXPECT_EQ(SubKeyNames(HKEY_CURRENT_USER, "Software"), (Names{"Microsoft", kSoft}));
    EXPECT_EQ(SubKeyNames(HKEY_CURRENT_USER, "Software\\" + kSoft), (Names{kTable}));

    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    char text[8] = {};
    DWORD size = sizeof text;
    EXPECT_EQ(
        RegQueryValueExA(key, kSo.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size),
        ERROR_SUCCESS);
    EXPECT_STREQ(text, "1");
    RegCloseKey(key);

    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str()), ERROR_SUCCESS);
    EXPECT_EQ(SubKeyNames(HKEY_CURRENT_USER, "Software\\" + kSoft), Names{});
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, path.c_str(), &key), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + kSoft).c_str()), ERROR_SUCCESS);
    EXPECT_EQ(SubKeyNames(HKEY_CURRENT_USER, "Software"), (Names{"Microsoft"}));
}

TEST(RegistryPaths, SingleByteMachineStillSplitsAtEveryBackslash) {
    TestMachine machine;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, ("Software\\" + kSo).c_str(), &key), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(SubKeyNames(HKEY_CURRENT_USER, "Software"), (Names{"Microsoft", "\x83"}));
}
