#include "TestMachine.h"
#include "setup/SetupLanguage.h"
#include "setup/SetupState.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

class SetupVariablesTest : public MachineTest {
protected:
    SetupVariablesTest() {
        state.variables.longAppName = "Talvic";
        state.variables.version = "4.0";
        state.variables.exeName = "talvic";
        state.variables.userName = "A <COMPANY> B";
    }

    std::string Expand(const char* source, int size = 260) {
        char destination[300];
        std::memset(destination, '#', sizeof destination);
        ExpandSetupVariables(state, source, destination, size);
        EXPECT_EQ(destination[size], '#') << "written past the destination";
        return destination;
    }

    SetupState state;
};

std::string Join(const char* base, const char* relative, int maximum = 260) {
    KIVString path(base);
    char narrow[400];
    JoinRelativePath(path, KIVString(relative), maximum).ToNarrow(narrow, sizeof narrow);
    return narrow;
}

} // namespace

TEST_F(SetupVariablesTest, ReferencesAreReplacedOnce) {
    EXPECT_EQ(Expand("Software\\<LONGAPPNAME>\\<VERSION>"), "Software\\Talvic\\4.0");
    EXPECT_EQ(Expand("a<NOTAVARIABLE>b<>c<longappname>d"), "abcd");
    EXPECT_EQ(Expand("run <EXENAME"), "run talvic");
    // A value holding "<" is copied unchanged.
    EXPECT_EQ(Expand("<USERNAME>"), "A <COMPANY> B");
    state.currentLanguage = kLanguageGerman;
    EXPECT_EQ(Expand("<LANGUAGE>"), "German");
    state.currentLanguage = 3;
    EXPECT_EQ(Expand("[<LANGUAGE>]"), "[]");
}

TEST_F(SetupVariablesTest, ExpansionIsCutAtTheDestination) {
    EXPECT_EQ(Expand("Software\\<LONGAPPNAME>", 12), "Software\\Ta");
    EXPECT_EQ(Expand("<LONGAPPNAME>", 1), "");
    state.variables.installDst = KIVString(std::string(250, 'd').c_str());
    EXPECT_EQ(Expand("C:<INSTALLDST>\\<INSTALLDST>").size(), 259u);
    char16_t wide[4] = {u'#', u'#', u'#', u'#'};
    ExpandSetupVariables(state, u"<VERSION>", wide, 3);
    EXPECT_EQ(std::u16string(wide), u"4.");
    EXPECT_EQ(wide[3], u'#');
}

TEST_F(SetupVariablesTest, JoinRelativePathWalksSegments) {
    EXPECT_EQ(Join("D:\\Disk1", ".."), "D:");
    EXPECT_EQ(Join("D:\\Disk1", "..\\Data"), "D:\\Data");
    EXPECT_EQ(Join("D:\\Disk1", "."), "D:\\Disk1");
    EXPECT_EQ(Join("D:\\Disk1\\\\", ""), "D:\\Disk1");
    EXPECT_EQ(Join("D:\\Disk1", "../Data/./More/"), "D:\\Data\\More");
    // No folder left to remove: joining stops there.
    EXPECT_EQ(Join("D:\\Disk1", "..\\..\\Data"), "D:");
    // A segment that would not fit stops the joining; the result fits the
    // buffer of maximum characters with its terminator.
    EXPECT_EQ(Join("D:\\Disk1", "abc\\def", 13), "D:\\Disk1\\abc");
    EXPECT_EQ(Join("D:\\Disk1", "abc", 12), "D:\\Disk1");
    EXPECT_EQ(Join("D:\\Disk1", (std::string(400, 'x') + "\\..\\y").c_str()), "D:\\Disk1");
}
