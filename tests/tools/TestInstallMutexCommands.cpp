// One installation at a time on a machine: kivtool install and kivtool
// uninstall wait a few seconds for the machine's installation lock, then end
// with 1618; a staging folder left behind is never taken for the next
// setup's own.
#include "InstallCommandTest.h"
#include "engine/InstallMutex.h"

#include <chrono>
#include <functional>

namespace {

using InstallMutexCommandTest = InstallCommandTest;

double SecondsOf(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

TEST_P(InstallMutexCommandTest, ASecondInstallationWaitsThenEndsWith1618) {
    if (GetParam() != PlatformFamily::NT)
        GTEST_SKIP() << "the lock does not depend on the family";
    InstallMutex first;
    ASSERT_EQ(first.Acquire(0), InstallMutex::kHeld);
    KivtoolRun install, uninstall;
    const double waited = SecondsOf([&] { install = Install(); });
    EXPECT_EQ(install.status, 1618 & 0xFF) << install.output;
    EXPECT_NE(install.output.find("nother installation is in progress"), std::string::npos)
        << install.output;
    EXPECT_GE(waited, InstallMutex::kWaitMilliseconds / 1000.0 - 0.1);
    EXPECT_FALSE(fs::exists(Product(""))) << "nothing is written while waiting";
    EXPECT_FALSE(fs::exists(Host(Staging())));

    first.Release();
    ASSERT_EQ(Install().status, 0);
    ASSERT_EQ(first.Acquire(0), InstallMutex::kHeld);
    uninstall = RunKivtool("uninstall '" + kBase + "'", Environment());
    EXPECT_EQ(uninstall.status, 1618 & 0xFF) << uninstall.output;
    EXPECT_NE(uninstall.output.find("another installation is in progress"), std::string::npos);
    EXPECT_TRUE(fs::exists(Product("app.exe")));
    first.Release();
    EXPECT_EQ(RunKivtool("uninstall '" + kBase + "'", Environment()).status, 0);
}

// A killed setup's staging folder, or one planted: its files never reach the
// system folder, and links in it (to the host, or elsewhere on the machine)
// are removed as links, their targets untouched.
TEST_P(InstallMutexCommandTest, AStagingFolderLeftBehindIsRemovedBeforeTheSetupUsesIt) {
    const fs::path staging = Host(Staging());
    const fs::path outside = root / "outside";
    WriteHostFile(outside / "canary.txt", "canary");
    WriteHostFile(machine->DriveC("Data/canary.txt"), "data");
    WriteHostFile(staging / "planted.dll", Library(0x00990000));
    WriteHostFile(staging / "Jpegs/old.jpg", "old");
    fs::create_directory_symlink(outside, staging / "InstallFiles");
    fs::create_directory_symlink(machine->DriveC("Data"), staging / "Archives");

    KivtoolRun run = Install();
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_FALSE(fs::exists(Host(SystemFolder() + "\\planted.dll")));
    EXPECT_TRUE(fs::exists(Host(SystemFolder() + "\\kivshared.dll")));
    EXPECT_EQ(ReadHostFile(outside / "canary.txt"), "canary");
    EXPECT_EQ(std::distance(fs::directory_iterator(outside), fs::directory_iterator()), 1);
    EXPECT_EQ(ReadHostFile(machine->DriveC("Data/canary.txt")), "data");
    EXPECT_FALSE(fs::exists(staging));
    const std::string record = ReadHostFile(Product(".uninstallinfos.log"));
    EXPECT_EQ(record.find("planted"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, InstallMutexCommandTest,
                         ::testing::Values(PlatformFamily::NT, PlatformFamily::Win9x),
                         [](const auto& info) {
                             return info.param == PlatformFamily::NT ? "NT" : "Win9x";
                         });
