#include "SetupTestText.h"
#include "TestMachine.h"
#include "platform/WinReg.h"
#include "setup/SetupReadBack.h"
#include "setup/SetupState.h"
#include "toolkit/KIVRegistry.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

RegistryKeyRecord Key(const char* path,
                      std::initializer_list<std::pair<const char*, const char*>> values) {
    RegistryKeyRecord key;
    std::strcpy(key.keyPath, path);
    for (const auto& [name, text] : values) {
        RegistryValueRecord value;
        std::strcpy(value.name, name);
        value.type = REG_SZ;
        std::strcpy(value.text, text);
        key.values.push_back(value);
    }
    return key;
}

class SetupReadBackTest : public MachineTest {
protected:
    SetupReadBackTest() {
        state.variables.userName = "System User";
        state.variables.company = "System Co";
        state.variables.installDst = "C:\\Program Files\\Kiv software\\Talvic";
        state.variables.longAppName = "Talvic";
        state.variables.exeName = "talvic";
        for (int k : {kOptionReadBack, kOptionReadBackCompany, kOptionReadBackInstallDst})
            state.description.options[k].number = 1;
    }

    // A value that an earlier installation wrote under HKLM\Software\Talvic
    // (or another key of Software), in the system registry or in a registry file.
    static void Write(const char* name, const char* data, const char16_t* file = nullptr,
                      const char* product = "Talvic") {
        HKEY software = nullptr, key = nullptr;
        ASSERT_EQ(KIVRegOpenKey(HKEY_LOCAL_MACHINE, "Software", 0, KEY_WRITE, &software, file), 0);
        ASSERT_EQ(KIVRegOpenKey(software, product, 0, KEY_WRITE, &key, file), 0);
        ASSERT_EQ(KIVRegSetValue(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                                 static_cast<DWORD>(std::strlen(data) + 1), file),
                  0);
        KIVRegCloseKey(key, file);
        KIVRegCloseKey(software, file);
    }

    // Keys without WINREG are read from the registry file "kiv.reg".
    void UseRegistryFile() {
        state.description.options[kOptionUseRegistryFile].number = 1;
        state.registryFileName = "kiv.reg";
    }

    SetupState state;
};

} // namespace

TEST_F(SetupReadBackTest, ValuesReplaceVariablesAsTheOptionsAllow) {
    Write("UserName", "Reg User");
    Write("COMPANY", "Reg Co");
    Write("Folder", "D:\\Talvic");
    Write("Program", "talvic2");
    Write("Language", "French");
    state.description.registryKeys.push_back(
        Key("HKEY_LOCAL_MACHINE\\Software\\<LONGAPPNAME>\\", {{"UserName", "<USERNAME>"},
                                                              {"company", "Company: <COMPANY>"},
                                                              {"Folder", "<INSTALLDST>\\bin"},
                                                              {"Program", "<EXENAME"},
                                                              {"Language", "<LANGUAGE>"},
                                                              {"Missing", "<VERSION>"}}));
    ReadBackSetupVariables(state);
    EXPECT_EQ(Narrow(state.variables.userName), "System User"); // option 26 clear
    EXPECT_EQ(Narrow(state.variables.company), "Reg Co");
    EXPECT_EQ(Narrow(state.variables.installDst), "D:\\Talvic");
    EXPECT_EQ(Narrow(state.variables.exeName), "talvic2");
    EXPECT_TRUE(state.variables.version.IsEmpty());
}

TEST_F(SetupReadBackTest, StopsAtTheFirstKeyThatDoesNotOpen) {
    Write("Program", "talvic2");
    state.description.registryKeys.push_back(
        Key("HKEY_LOCAL_MACHINE\\Software\\Gone", {{"P", "<EXENAME>"}}));
    state.description.registryKeys.push_back(
        Key("HKEY_LOCAL_MACHINE\\Software\\Talvic", {{"Program", "<EXENAME>"}}));
    ReadBackSetupVariables(state);
    EXPECT_EQ(Narrow(state.variables.exeName), "talvic");
}

TEST_F(SetupReadBackTest, RegistryFileServesKeysWithoutWinreg) {
    Write("Program", "from file", u"kiv.reg");
    Write("Program", "from registry");
    UseRegistryFile();
    state.description.registryKeys.push_back(
        Key("HKEY_LOCAL_MACHINE\\Software\\Talvic", {{"Program", "<EXENAME>"}}));
    ReadBackSetupVariables(state);
    EXPECT_EQ(Narrow(state.variables.exeName), "from file");

    state.description.registryKeys[0].winreg = true;
    ReadBackSetupVariables(state);
    EXPECT_EQ(Narrow(state.variables.exeName), "from registry");
}

// On a machine of code page 932 the bytes 0x83 0x5C are the katakana "so",
// not a backslash, and 0x83 0x41 and 0x83 0x61 are two different letters.
class SetupReadBackJapaneseTest : public SetupReadBackTest {
protected:
    static MachineSettings Japanese() {
        MachineSettings settings;
        settings.codePage = 932;
        return settings;
    }
    TestMachine japanese{Japanese()};
};

TEST_F(SetupReadBackJapaneseTest, KeyPathsSplitOnlyAtBackslashCharacters) {
    Write("Program", "talvic2", u"kiv.reg", "\x83\x5C");
    UseRegistryFile();
    state.description.registryKeys.push_back(
        Key("HKEY_LOCAL_MACHINE\\Software\\\x83\x5C", {{"Program", "<EXENAME>"}}));
    ReadBackSetupVariables(state);
    EXPECT_EQ(Narrow(state.variables.exeName), "talvic2");
}

TEST_F(SetupReadBackJapaneseTest, ValueNamesFoldOnlyWholeCharacters) {
    Write("\x83\x41", "katakana a");
    state.description.registryKeys.push_back(
        Key("HKEY_LOCAL_MACHINE\\Software\\Talvic", {{"\x83\x61", "<EXENAME>"}}));
    ReadBackSetupVariables(state);
    EXPECT_EQ(Narrow(state.variables.exeName), "talvic");
    state.description.registryKeys[0].values[0].name[1] = '\x41';
    ReadBackSetupVariables(state);
    EXPECT_EQ(Narrow(state.variables.exeName), "katakana a");
}

// <COMPANY> is empty on a machine without a registered organisation: the
// writer then made "Software\\\\Talvic", opening Software twice. The
// read-back walks the same levels and reads the key below, not Software.
TEST_F(SetupReadBackTest, AnEmptyMiddleLevelOpensTheKeyAgainAndGoesOn) {
    state.variables.company = "";
    Write("Program", "from Software", nullptr, "");
    Write("Program", "talvic2");
    Write("Folder", "D:\\Talvic");
    state.description.registryKeys.push_back(
        Key("HKEY_LOCAL_MACHINE\\Software\\<COMPANY>\\<LONGAPPNAME>",
            {{"Program", "<EXENAME>"}, {"Folder", "<INSTALLDST>"}}));
    ReadBackSetupVariables(state);
    EXPECT_EQ(Narrow(state.variables.exeName), "talvic2");
    EXPECT_EQ(Narrow(state.variables.installDst), "D:\\Talvic");

    state.description.registryKeys[0] =
        Key("HKEY_LOCAL_MACHINE\\\\Software\\Talvic\\", {{"Program", "<EXENAME>"}});
    state.variables.exeName = "talvic";
    ReadBackSetupVariables(state);
    EXPECT_EQ(Narrow(state.variables.exeName), "talvic2") << "an empty level after the root";
}
