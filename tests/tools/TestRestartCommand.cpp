// kivtool machine restart, run as a program on a machine where this test
// left replacements for the next start.
#include "TestMachine.h"
#include "platform/WinBase.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int status = -1;
    std::string output;
};

ToolRun Restart(const std::string& root, const std::string& arguments = "") {
    ToolRun run;
    std::string command =
        "KIV_MACHINE='" + root + "' " KIVTOOL_PATH " machine restart " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t got; pipe && (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.output.append(buffer, got);
    int status = pipe ? pclose(pipe) : -1;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace

TEST_F(MachineTest, RestartCommandPrintsEachReplacement) {
    std::ofstream(machine.DriveC("Windows/a.tmp")) << "new";
    std::ofstream(machine.DriveC("Windows/WININIT.INI"))
        << "[rename]\nC:\\Windows\\a.dll = C:\\Windows\\a.tmp\n";
    std::ofstream(machine.DriveC("old.txt")) << "old";
    ASSERT_TRUE(MoveFileExA("C:\\old.txt", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
    ASSERT_TRUE(MoveFileExA("C:\\missing.txt", "C:\\b.txt", MOVEFILE_DELAY_UNTIL_REBOOT));
    ToolRun run = Restart(machine.Root());
    EXPECT_EQ(run.status, 1) << run.output; // one replacement failed
    EXPECT_EQ(run.output,
              "WININIT.INI: moved C:\\Windows\\a.tmp to C:\\Windows\\a.dll\n"
              "WININIT.INI: moved C:\\Windows\\WININIT.INI to C:\\Windows\\WININIT.BAK\n"
              "pending: deleted C:\\old.txt\n"
              "pending: could not move C:\\missing.txt to C:\\b.txt (error 2)\n"
              "4 step(s), 1 failed\n");
    EXPECT_FALSE(fs::exists(machine.DriveC("old.txt")));

    run = Restart(machine.Root());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "0 step(s), 0 failed\n");
    run = Restart(machine.Root(), "now");
    EXPECT_EQ(run.status, 2); // a usage error
    EXPECT_EQ(Restart(machine.Root(), "--help").output.rfind("usage: kivtool machine restart", 0),
              0u);
}
