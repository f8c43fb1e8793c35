// kivtool machine, run as a program: init writes the settings it is given,
// info and path read them back, and bad input fails on stderr.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

namespace {

struct ToolRun {
    int status = -1;
    std::string output;
};

ToolRun Machine(const std::string& root, const std::string& arguments) {
    ToolRun run;
    std::string command =
        "KIV_MACHINE='" + root + "' " KIVTOOL_PATH " machine " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t got; pipe && (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.output.append(buffer, got);
    int status = pipe ? pclose(pipe) : -1;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
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

TEST_F(MachineCommandTest, BadInputFails) {
    EXPECT_NE(Machine(root, "info").status, 0); // no machine yet
    for (const char* arguments : {"init --codepage 437", "init --screen 0x0", "init --lang",
                                  "init --bogus", "frobnicate", "path"}) {
        ToolRun run = Machine(root, arguments);
        EXPECT_NE(run.status, 0) << arguments;
        EXPECT_NE(run.output.find("kivtool machine:"), std::string::npos) << run.output;
    }
    ASSERT_EQ(Machine(root, "init").status, 0);
    ToolRun tooLong = Machine(root, "path 'C:\\" + std::string(300, 'a') + "'");
    EXPECT_NE(tooLong.status, 0);
    EXPECT_NE(tooLong.output.find("too long"), std::string::npos);
    EXPECT_EQ(Machine(root, "init --help").status, 0);
}
