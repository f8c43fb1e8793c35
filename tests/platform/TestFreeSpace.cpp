// The free space a drive states in the machine settings: read and written
// with the settings, and the cap it puts on GetDiskFreeSpaceEx.
#include "HostFiles.h"
#include "TestMachine.h"
#include "platform/WinBase.h"

#include <cstring>
#include <unistd.h>

namespace {

MachineSettings WithFreeSpace(char drive, unsigned long long bytes) {
    MachineSettings settings;
    settings.freeSpace[drive] = bytes;
    return settings;
}

ULONGLONG Available(const char* folder) {
    ULARGE_INTEGER available{}, total{}, free{};
    EXPECT_TRUE(GetDiskFreeSpaceExA(folder, &available, &total, &free)) << folder;
    EXPECT_LE(available.QuadPart, free.QuadPart == 0 ? available.QuadPart : free.QuadPart);
    return available.QuadPart;
}

} // namespace

TEST(FreeSpace, TheSettingIsWrittenAndReadBackPerDrive) {
    MachineSettings settings = WithFreeSpace('C', 52428800);
    settings.freeSpace['D'] = 1;
    TestMachine machine(settings);
    EXPECT_NE(ReadHostFile(machine.Root() + "/machine.ini").find("freeSpace.C=52428800\n"),
              std::string::npos);
    MachineSettings loaded;
    ASSERT_TRUE(Machine::LoadSettings(machine.Root(), &loaded));
    EXPECT_EQ(loaded.freeSpace, settings.freeSpace);
}

TEST(FreeSpace, ALowerCaseLetterNamesTheSameDriveAndBadValuesAreRefused) {
    TestMachine machine;
    const std::string ini = machine.Root() + "/machine.ini";
    const std::string base = ReadHostFile(ini);
    MachineSettings loaded;
    WriteHostFile(ini, base + "freeSpace.c=1000\n");
    ASSERT_TRUE(Machine::LoadSettings(machine.Root(), &loaded));
    EXPECT_EQ(loaded.freeSpace.at('C'), 1000u);
    for (const char* bad :
         {"freeSpace.C=-5\n", "freeSpace.C=\n", "freeSpace.C=12MB\n", "freeSpace.CD=5\n",
          "freeSpace.1=5\n", "freeSpace.C=99999999999999999999999\n"}) {
        WriteHostFile(ini, base + bad);
        EXPECT_FALSE(Machine::LoadSettings(machine.Root(), &loaded)) << bad;
    }
}

TEST(FreeSpace, TheStatedSpaceCapsAvailableAndFreeBytesOfItsDriveOnly) {
    TestMachine machine(WithFreeSpace('C', 52428800));
    ULARGE_INTEGER available{}, total{}, free{};
    ASSERT_TRUE(GetDiskFreeSpaceExW(u"C:\\Program Files", &available, &total, &free));
    EXPECT_EQ(available.QuadPart, 52428800u);
    EXPECT_EQ(free.QuadPart, 52428800u);
    EXPECT_GT(total.QuadPart, 52428800u) << "the size of the volume is the host's";
    EXPECT_EQ(Available("c:\\Windows"), 52428800u);
    EXPECT_GT(Available("Z:\\"), 52428800u);
}

TEST(FreeSpace, MoreThanTheHostHasLeavesTheHostsFigure) {
    TestMachine machine(WithFreeSpace('C', ~0ull));
    EXPECT_LT(Available("C:\\"), ~0ull);
}

TEST(FreeSpace, APathWithoutADriveIsOnTheDriveOfTheCurrentFolder) {
    TestMachine machine(WithFreeSpace('C', 4096));
    // An earlier test of the process may have left the current folder in a
    // machine that is gone: the way back is then "/".
    char before[4096] = "/";
    if (!getcwd(before, sizeof before))
        std::strcpy(before, "/");
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\Windows"));
    EXPECT_EQ(Available("System32"), 4096u);
    ULARGE_INTEGER available{};
    EXPECT_TRUE(GetDiskFreeSpaceExA(nullptr, &available, nullptr, nullptr));
    EXPECT_EQ(available.QuadPart, 4096u);
    ASSERT_EQ(chdir(before), 0);
}
