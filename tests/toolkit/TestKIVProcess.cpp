#include "TestMachine.h"
#include "toolkit/KIVProcess.h"
#include "toolkit/KIVSystem.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

class KIVProcessTest : public MachineTest {
protected:
    void SetUp() override {
        KIVResetPlatformFamily();
        std::string script = machine.DriveC("tool.exe");
        std::ofstream(script) << "#!/bin/sh\n"
                                 "printf '%s|' \"$@\" > \"$(dirname \"$0\")/args.txt\"\n"
                                 "sleep 0.7\n"
                                 "exit 3\n";
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    }
};

TEST_F(KIVProcessTest, StartsAndWaitsForTheEnd) {
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(KIVCreateProcess(u"\"C:\\tool.exe\" first \"two words\"", &info));
    DWORD started = GetTickCount();
    EXPECT_TRUE(KIVWaitForProcess(&info));
    EXPECT_GE(GetTickCount() - started, 1000u) << "polled every 500 ms while running";
    DWORD exitCode = 0;
    EXPECT_TRUE(GetExitCodeProcess(info.hProcess, &exitCode)) << "the handle is still open";
    EXPECT_EQ(exitCode, 3u);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    std::stringstream args;
    args << std::ifstream(machine.DriveC("args.txt")).rdbuf();
    EXPECT_EQ(args.str(), "first|two words|");
}

TEST_F(KIVProcessTest, RefusesWhatCannotStart) {
    PROCESS_INFORMATION info{};
    EXPECT_FALSE(KIVCreateProcess(u"C:\\missing.exe", &info));
    // 1000 bytes with the terminator is the limit of the command line.
    std::u16string longLine = u"C:\\tool.exe " + std::u16string(988, u'x');
    EXPECT_FALSE(KIVCreateProcess(longLine.c_str(), &info));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(std::filesystem::exists(machine.DriveC("args.txt")));
    EXPECT_FALSE(KIVWaitForProcess(nullptr));
}

} // namespace
