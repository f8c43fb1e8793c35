// Case folding and path splitting of registry names in the machine's code page.
#include "TestMachine.h"
#include "platform/RegistryNames.h"
#include "platform/Windows.h"

#include <string>
#include <vector>

TEST(RegistryNames, Code1252FoldsLatinLettersOfBothHalves) {
    EXPECT_EQ(RegistryNames::Fold("Setup\xC4\xD6\xDE\x8A\x9F", 1252), "setup\xE4\xF6\xFE\x9A\xFF");
    // The multiplication sign and the sharp s have no case partner.
    EXPECT_EQ(RegistryNames::Fold("\xD7\xDF", 1252), "\xD7\xDF");
}

TEST(RegistryNames, Code932NeverFoldsATrailByte) {
    // 0x83 0x41 and 0x83 0x61 are two different katakana whose trail bytes
    // happen to be "A" and "a".
    EXPECT_NE(RegistryNames::Fold("\x83\x41", 932), RegistryNames::Fold("\x83\x61", 932));
    EXPECT_EQ(RegistryNames::Fold("AB\x83\x41", 932), "ab\x83\x41");
    // Full-width A, Greek Alpha and Cyrillic A, O and YA fold to their small forms.
    EXPECT_EQ(RegistryNames::Fold("\x82\x60\x83\x9F\x84\x40\x84\x4F\x84\x60", 932),
              "\x82\x81\x83\xBF\x84\x70\x84\x80\x84\x91");
    // A lead byte at the end is left as it is.
    EXPECT_EQ(RegistryNames::Fold("A\x83", 932), "a\x83");
}

TEST(RegistryNames, JapaneseMachineKeepsKatakanaKeysApart) {
    MachineSettings settings;
    settings.codePage = 932;
    TestMachine machine(settings);
    HKEY first = nullptr, second = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "\x83\x41", &first), ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "\x83\x61", &second), ERROR_SUCCESS);
    const BYTE one[] = "1";
    ASSERT_EQ(RegSetValueExA(first, "v", 0, REG_SZ, one, 2), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(second, "v", nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    RegCloseKey(first);
    RegCloseKey(second);
}

// "\x83\x5C" (katakana so) and "\x95\x5C" (the kanji for "table") are single
// characters of code page 932 whose second byte is that of a backslash.
TEST(RegistryNames, PathsSplitOnlyAtBackslashCharacters) {
    using Names = std::vector<std::string>;
    EXPECT_EQ(RegistryNames::SplitPath("A\\\x83\x5C\\B", 932), (Names{"A", "\x83\x5C", "B"}));
    EXPECT_EQ(RegistryNames::SplitPath("\x95\x5C\\\x83\x5C\x83\x74", 932),
              (Names{"\x95\x5C", "\x83\x5C\x83\x74"}));
    // In code page 1252 the same bytes are two characters each.
    EXPECT_EQ(RegistryNames::SplitPath("A\\\x83\x5C\\B", 1252), (Names{"A", "\x83", "", "B"}));
    // Empty names are kept; a lead byte at the very end stays a byte of its own.
    EXPECT_EQ(RegistryNames::SplitPath("A\\\\B\\", 932), (Names{"A", "", "B", ""}));
    EXPECT_EQ(RegistryNames::SplitPath("", 932), (Names{""}));
    EXPECT_EQ(RegistryNames::SplitPath("A\\\x83", 932), (Names{"A", "\x83"}));
}
