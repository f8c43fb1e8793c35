// kivtool machine, run as a program: init writes the settings it is given,
// info and path read them back, and bad input fails on stderr.
#include "KivtoolRun.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

using ToolRun = KivtoolRun;

ToolRun Machine(const std::string& root, const std::string& arguments) {
    return RunKivtool("machine " + arguments, "KIV_MACHINE='" + root + "'");
}

class MachineCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/kiv-tool-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = std::string(pattern) + "/machine";
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(root).parent_path(), ignored);
    }
    std::string root;
};

} // namespace

TEST_F(MachineCommandTest, InitThenInfoAndPath) {
    ToolRun init = Machine(root, "init '" + root +
                                     "' --9x --lang 0x0411 --codepage 932 --screen 800x600 "
                                     "--no-admin --owner 'Taro Yamada' --organization Acme");
    ASSERT_EQ(init.status, 0) << init.output;
    EXPECT_TRUE(std::filesystem::is_directory(root + "/drive_c/Windows/System"));
    ToolRun info = Machine(root, "info");
    EXPECT_EQ(info.status, 0) << info.output;
    for (const char* line :
         {"family           9x (version 4.10", "language         0x0411", "code page        932",
          "screen           800x600", "administrator    no", "owner            Taro Yamada",
          "System           C:\\Windows\\System\n"})
        EXPECT_NE(info.output.find(line), std::string::npos) << line << "\n" << info.output;
    ToolRun path = Machine(root, "path 'c:\\WINDOWS\\system\\new.dll'");
    EXPECT_EQ(path.output, root + "/drive_c/Windows/System/new.dll\n");
    EXPECT_EQ(Machine(root, "path '" + root + "/drive_c/Program Files'").output,
              "C:\\Program Files\n");
}

TEST_F(MachineCommandTest, InitStatesTheFreeSpaceOfDrivesAndInfoShowsIt) {
    ToolRun init = Machine(root, "init '" + root + "' --free C:=50M --free d:=3K --free E:=2G");
    ASSERT_EQ(init.status, 0) << init.output;
    ToolRun info = Machine(root, "info");
    for (const char* line :
         {"free space C:    at most 52428800 bytes\n", "free space D:    at most 3072 bytes\n",
          "free space E:    at most 2147483648 bytes\n"})
        EXPECT_NE(info.output.find(line), std::string::npos) << line << "\n" << info.output;
}

TEST_F(MachineCommandTest, UsageErrorsSayWhatWasWrongWithStatus2) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "kivtool machine: missing command\n"},
        {"frobnicate", "kivtool machine: unknown command 'frobnicate'\n"},
        {"init --codepage 437", "kivtool machine init: --codepage wants 1252 or 932, not 437\n"},
        {"init --screen 0x0", "kivtool machine init: --screen wants WIDTHxHEIGHT"},
        {"init --lang", "kivtool machine init: --lang needs a value\n"},
        {"init --bogus", "kivtool machine init: unknown option --bogus\n"},
        {"init --free C=5M", "kivtool machine init: --free wants DRIVE:=SIZE such as C:=50M"},
        {"init --free C:=5T", "kivtool machine init: --free wants DRIVE:=SIZE such as C:=50M"},
        {"init --free C:=99999999999G", "kivtool machine init: --free wants DRIVE:=SIZE"},
        {"init a b", "kivtool machine init: one ROOT only, not also b\n"},
        {"info extra", "kivtool machine info: no arguments wanted, not extra\n"},
        {"path", "kivtool machine path: missing PATH\n"},
        {"path a b", "kivtool machine path: one PATH only, not also b\n"},
    };
    for (const auto& [arguments, message] : cases) {
        ToolRun run = Machine(root, arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.output.rfind(message, 0), 0u) << arguments << "\n" << run.output;
        EXPECT_NE(run.output.find("usage: kivtool machine"), std::string::npos) << run.output;
    }
    EXPECT_FALSE(std::filesystem::exists(root));
    EXPECT_EQ(Machine(root, "init --help").status, 0);
}

TEST_F(MachineCommandTest, FailuresOnAMachineHaveStatus1) {
    ToolRun noMachine = Machine(root, "info");
    EXPECT_EQ(noMachine.status, 1);
    EXPECT_NE(noMachine.output.find("no machine at " + root), std::string::npos);
    ASSERT_EQ(Machine(root, "init").status, 0);
    ToolRun tooLong = Machine(root, "path 'C:\\" + std::string(300, 'a') + "'");
    EXPECT_EQ(tooLong.status, 1);
    EXPECT_NE(tooLong.output.find("too long"), std::string::npos);
}
