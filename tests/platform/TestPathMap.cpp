#include "TestMachine.h"
#include "platform/PathMap.h"
#include "platform/WinBase.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::string Host(const std::string& windowsPath) {
    std::string host;
    unsigned error = 0;
    if (!PathMap::ToHost(windowsPath, &host, &error))
        return "error " + std::to_string(error);
    return host;
}

unsigned ErrorOf(const std::string& windowsPath) {
    std::string host;
    unsigned error = 0;
    return PathMap::ToHost(windowsPath, &host, &error) ? 0 : error;
}

} // namespace

TEST_F(MachineTest, DrivesMapBothWays) {
    EXPECT_EQ(Host("C:\\Windows\\System32"), machine.DriveC("Windows/System32"));
    EXPECT_EQ(Host("c:/Windows/System32/"), machine.DriveC("Windows/System32"));
    EXPECT_EQ(Host("C:"), machine.DriveC());
    EXPECT_EQ(Host("Z:\\usr\\bin"), "/usr/bin");
    EXPECT_EQ(Host("Z:\\"), "/");
    EXPECT_EQ(PathMap::ToWindows(machine.DriveC("Program Files/App")), "C:\\Program Files\\App");
    EXPECT_EQ(PathMap::ToWindows(machine.DriveC()), "C:\\");
    EXPECT_EQ(PathMap::ToWindows("/media/cd/Setup.exe"), "Z:\\media\\cd\\Setup.exe");
    EXPECT_EQ(PathMap::ToWindows("/"), "Z:\\");
    // A folder merely starting like the drive folder is not the drive.
    std::string lookalike = PathMap::ToWindows(machine.Root() + "/drive_cx");
    EXPECT_EQ(lookalike.substr(0, 3), "Z:\\");
}

TEST_F(MachineTest, DotsAreResolvedWithoutLeavingTheDrive) {
    EXPECT_EQ(Host("C:\\Windows\\.\\..\\..\\..\\Windows"), machine.DriveC("Windows"));
    EXPECT_EQ(Host("C:\\a\\..\\Windows\\.\\Temp"), machine.DriveC("Windows/Temp"));
}

TEST_F(MachineTest, ComponentsAreFoundWithoutRegardToCase) {
    std::filesystem::create_directories(machine.DriveC("Program Files/Émile App"));
    std::ofstream(machine.DriveC("Program Files/Émile App/ReadMe.TXT")) << "x";
    EXPECT_EQ(Host("c:\\PROGRAM FILES\\émile app\\readme.txt"),
              machine.DriveC("Program Files/Émile App/ReadMe.TXT"));
    // Components past the first missing one are kept as given.
    EXPECT_EQ(Host("C:\\WINDOWS\\New Folder\\File.txt"),
              machine.DriveC("Windows/New Folder/File.txt"));
}

TEST_F(MachineTest, RelativePathsFollowTheCurrentDirectory) {
    char saved[4096];
    ASSERT_TRUE(getcwd(saved, sizeof saved));
    ASSERT_EQ(chdir(machine.DriveC("Windows").c_str()), 0);
    EXPECT_EQ(Host("system32\\x.dll"), machine.DriveC("Windows/System32/x.dll"));
    EXPECT_EQ(Host("\\Program Files"), machine.DriveC("Program Files"));
    EXPECT_EQ(Host("..\\Program Files"), machine.DriveC("Program Files"));
    ASSERT_EQ(chdir(saved), 0);
}

TEST_F(MachineTest, BadPathsAreRefused) {
    EXPECT_EQ(ErrorOf("C:\\" + std::string(MAX_PATH - 4, 'a')), 0u);
    EXPECT_EQ(ErrorOf("C:\\" + std::string(MAX_PATH - 3, 'a')),
              static_cast<unsigned>(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_EQ(ErrorOf("C:\\" + std::string(100000, 'a')),
              static_cast<unsigned>(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_EQ(ErrorOf("Q:\\x"), static_cast<unsigned>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(ErrorOf("C:\\a<b"), static_cast<unsigned>(ERROR_INVALID_NAME));
    EXPECT_EQ(ErrorOf("C:\\a\\b:c"), static_cast<unsigned>(ERROR_INVALID_NAME));
    EXPECT_EQ(ErrorOf("\\\\server\\share"), static_cast<unsigned>(ERROR_INVALID_NAME));
}

TEST_F(MachineTest, ExtraDriveFoldersBecomeDrives) {
    std::filesystem::create_directories(machine.Root() + "/drive_d/Setup files");
    EXPECT_EQ(Host("D:\\SETUP FILES"), machine.Root() + "/drive_d/Setup files");
    EXPECT_EQ(PathMap::ToWindows(machine.Root() + "/drive_d/Setup files"), "D:\\Setup files");
}
