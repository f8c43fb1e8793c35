// The setup program keeps what its pages promise: a custom setup does not
// go on with nothing chosen and makes links only to what it installed, and
// the completion page, after a finished installation, has nothing left to
// cancel.
#include "SetupProgramTest.h"

using namespace setup_test;

namespace {

constexpr const char* kGroup = "Documents and Settings/All Users/Start Menu/Programs/Orrery/";

// From the setup type page to the custom page, every component unchecked.
std::string CustomWithNothingChosen() {
    return "click #1001\nkey Return\nwait-window #14\nclick #1006\n"
           "key Home space Down space Down space Down space Down space\n";
}

} // namespace

TEST_F(SetupProgramTest, CustomWithNothingChosenWaitsAndLinksOnlyWhatItInstalled) {
    const std::string script = Through(kSetupTypePage) + CustomWithNothingChosen() +
                               // Enter with nothing chosen leaves the page where it is.
                               "key Return\nsleep 300\nexpect-text #1002 0 bytes\n"
                               "key Home Down Down space\nkey Return\n"
                               "wait-window #15 60000\nclick #1100\n";
    ASSERT_EQ(RunSetup(script, "'/LOG=C:\\setup.json'"), 0) << output;
    EXPECT_TRUE(fs::exists(Product("Docs/readme.txt")));
    EXPECT_FALSE(fs::exists(Product("Orrery.exe")));
    EXPECT_TRUE(fs::exists(machine.DriveC(std::string(kGroup) + "Read me.LNK")));
    EXPECT_FALSE(fs::exists(machine.DriveC(std::string(kGroup) + "Orrery.LNK")))
        << "no link to a program that is not there";
    EXPECT_FALSE(fs::exists(
        machine.DriveC("Documents and Settings/All Users/Start Menu/Programs/Startup/Orrery.LNK")))
        << "the start-up box is not offered without the program";
    const std::string lines = ReadHostFile(machine.DriveC("setup.json"));
    const std::size_t leftOut = lines.find("\"event\": \"shortcut-left-out\"");
    ASSERT_NE(leftOut, std::string::npos) << lines;
    const std::string line = lines.substr(leftOut, lines.find('\n', leftOut) - leftOut);
    EXPECT_NE(line.find("Orrery.LNK"), std::string::npos) << line;
    EXPECT_NE(line.find("Orrery.exe"), std::string::npos) << line;
    EXPECT_NE(line.find("target not installed"), std::string::npos) << line;
}

// A cancel question here would stand between the Escape and the click on
// Finish, and the script would find no Finish button to click.
TEST_F(SetupProgramTest, EscapeOnTheCompletionPageAsksNothing) {
    const std::string script = Through(kSetupTypePage) +
                               "key Return\nwait-window #15 60000\nkey Escape\nsleep 300\n"
                               "click #1100\n";
    ASSERT_EQ(RunSetup(script), 0) << output;
    EXPECT_TRUE(fs::exists(Product("Orrery.exe"))) << "nothing was undone";
    EXPECT_EQ(output.find("cancel"), std::string::npos) << output;
}
