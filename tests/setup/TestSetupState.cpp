#include "SetupTestText.h"
#include "TestMachine.h"
#include "setup/SetupState.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

class SetupStateTest : public MachineTest {
protected:
    void Load(const DescriptionText& text) {
        ASSERT_TRUE(LoadDescriptionText(text.Text(), state.description))
            << state.description.error.reason;
    }
    SetupState state;
};

} // namespace

TEST_F(SetupStateTest, ProgramPathGivesNameAndFolders) {
    ASSERT_TRUE(SetProgramPath(state, u"Z:\\media\\cd\\Setup.exe"));
    EXPECT_EQ(Narrow(state.programName), "Setup");
    EXPECT_EQ(Narrow(state.setupFolder), "Z:\\media\\cd");
    EXPECT_EQ(Narrow(state.setupFilesFolder), "Z:\\media\\cd\\Setup files");
    EXPECT_EQ(Narrow(state.variables.installSrc), "Z:\\media\\cd");
    EXPECT_FALSE(SetProgramPath(state, u"Z:\\media\\cd\\Setup"));
    EXPECT_FALSE(SetProgramPath(state, u"Setup.exe"));
}

TEST_F(SetupStateTest, DescriptionValuesAndInstallationSource) {
    DescriptionText text;
    text.options = "Options x 16\n";
    for (int k = 1; k <= 16; ++k)
        text.options += k == 7 ? "O reg.dat\n" : k == 16 ? "O ..\\Data\n" : "O 0\n";
    Load(text);
    ASSERT_TRUE(SetProgramPath(state, u"D:\\Disk1\\Setup.exe"));
    TakeDescriptionValues(state);
    EXPECT_EQ(Narrow(state.variables.longAppName), "Talvic Studio");
    EXPECT_EQ(Narrow(state.applicationName), "Talvic");
    EXPECT_EQ(Narrow(state.variables.version), "4.0");
    EXPECT_EQ(Narrow(state.variables.exeName), "talvic");
    EXPECT_EQ(Narrow(state.registryFileName), "reg.dat");
    EXPECT_EQ(Narrow(state.variables.installSrc), "D:\\Data");
}

TEST_F(SetupStateTest, SetupTypesShareComponentsAndTheirSelection) {
    Load(DescriptionText()); // Main: entry 0 (1000); Tools: entries 0 and 1 (1500), reg.dat,
                             // disabled
    SetupDescription& d = state.description;
    d.components[1]->enabled = true;
    SelectSetupType(state, kSetupTypical);
    EXPECT_EQ(state.chosenSetupType, d.setupTypes[0].get());
    EXPECT_EQ(state.requiredSize, 2500);
    EXPECT_EQ(Narrow(state.registryFileName), "reg.dat");

    // Deselecting Tools for Custom removes it from Typical too.
    d.components[1]->selected = false;
    SelectSetupType(state, kSetupCustom);
    EXPECT_EQ(state.requiredSize, 1000);
    SelectSetupType(state, kSetupTypical);
    EXPECT_EQ(state.requiredSize, 1000);

    // Components for other languages count for nothing.
    d.components[0]->languages = 2;
    SelectSetupType(state, kSetupCompact);
    EXPECT_EQ(state.chosenSetupType, d.setupTypes[1].get());
    EXPECT_EQ(state.requiredSize, 0);

    // No setup type of that name: none chosen, the size stays.
    state.requiredSize = 77;
    std::strcpy(d.setupTypes[2]->name, "custom");
    SelectSetupType(state, kSetupCustom);
    EXPECT_EQ(state.chosenSetupType, nullptr);
    EXPECT_EQ(state.requiredSize, 77);
}

TEST_F(SetupStateTest, SizesSaturateInsteadOfWrapping) {
    Load(DescriptionText());
    state.description.installEntries[1]->size = 2147483000;
    EXPECT_EQ(ComputeComponentSize(*state.description.components[1]), 2147483647);
    EXPECT_EQ(state.description.TotalInstallSize(), 2147483647);
    state.description.installEntries[0]->size = -2147483647;
    state.description.installEntries[1]->size = -2000;
    EXPECT_EQ(ComputeComponentSize(*state.description.components[1]), -2147483647 - 1);
}
