// The folder probe and the free space of the setup type and custom pages:
// what the probe makes and leaves, and how the free space of a folder that
// does not exist yet is found on its deepest existing ancestor.
#include "TestMachine.h"
#include "setup/SetupFolderProbe.h"
#include "setup/SetupFreeSpace.h"

#include <filesystem>
#include <fstream>
#include <sys/statvfs.h>

namespace fs = std::filesystem;

TEST_F(MachineTest, TheProbeMakesTheWholePathAndLeavesNoFileBehind) {
    EXPECT_TRUE(ProbeFolder(u"C:\\Program Files\\Kiv software\\Orrery"));
    const fs::path folder = machine.DriveC("Program Files/Kiv software/Orrery");
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(MachineTest, TheProbeFailsUnderAFileAndOnAMissingDrive) {
    fs::create_directories(machine.DriveC("Made"));
    std::ofstream(machine.DriveC("Made/Blocker")) << "a file, not a folder";
    EXPECT_FALSE(ProbeFolder(u"C:\\Made\\Blocker\\Orrery"));
    EXPECT_FALSE(ProbeFolder(u"Q:\\Nowhere"));
}

TEST_F(MachineTest, FreeSpaceIsMeasuredOnTheDeepestExistingFolderInWholeKilobytes) {
    double bytes = -1.0;
    ASSERT_TRUE(FreeSpaceOf(u"C:\\Program Files\\Not\\Yet\\There", &bytes));
    struct statvfs volume {};
    ASSERT_EQ(statvfs(machine.DriveC("Program Files").c_str(), &volume), 0);
    const double host = static_cast<double>(volume.f_bavail) * volume.f_frsize;
    EXPECT_GT(bytes, 0.0);
    EXPECT_EQ(static_cast<long long>(bytes) % 1024, 0);
    EXPECT_NEAR(bytes, host, 64.0 * 1024 * 1024) << "the machine's drive is the host's folder";

    bytes = -1.0;
    EXPECT_FALSE(FreeSpaceOf(u"Q:\\Nowhere\\At\\All", &bytes));
    EXPECT_FALSE(FreeSpaceOf(u"", &bytes));
    EXPECT_EQ(bytes, -1.0);
}
