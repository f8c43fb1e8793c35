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

    // A value that an earlier installation wrote under HKLM\Software\Talvic,
    // in the system registry or in a registry file.
    static void Write(const char* name, const char* data, const char16_t* file = nullptr) {
        HKEY software = nullptr, key = nullptr;
        ASSERT_EQ(KIVRegOpenKey(HKEY_LOCAL_MACHINE, "Software", 0, KEY_WRITE, &software, file), 0);
        ASSERT_EQ(KIVRegOpenKey(software, "Talvic", 0, KEY_WRITE, &key, file), 0);
        ASSERT_EQ(KIVRegSetValue(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                                 static_cast<DWORD>(std::strlen(data) + 1), file),
                  0);
        KIVRegCloseKey(key, file);
        KIVRegCloseKey(software, file);
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
    state.description.options[kOptionUseRegistryFile].number = 1;
    state.registryFileName = "kiv.reg";
    state.description.registryKeys.push_back(
        Key("HKEY_LOCAL_MACHINE\\Software\\Talvic", {{"Program", "<EXENAME>"}}));
    ReadBackSetupVariables(state);
    EXPECT_EQ(Narrow(state.variables.exeName), "from file");

    state.description.registryKeys[0].winreg = true;
    ReadBackSetupVariables(state);
    EXPECT_EQ(Narrow(state.variables.exeName), "from registry");
}
