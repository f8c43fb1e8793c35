#include "TestMachine.h"
#include "engine/CreateFolderPath.h"

#include <filesystem>

TEST_F(MachineTest, CreateFolderPathMakesEveryFolderAlongThePath) {
    std::filesystem::create_directories(machine.DriveC("a"));
    CreateFolderPath(u"C:\\a\\b\\c d\\e");
    EXPECT_TRUE(std::filesystem::is_directory(machine.DriveC("a/b/c d/e")));
    CreateFolderPath(u"C:\\a\\b\\f\\"); // a trailing backslash names the same folder
    EXPECT_TRUE(std::filesystem::is_directory(machine.DriveC("a/b/f")));
    CreateFolderPath(u"C:\\a\\b\\c d\\e"); // existing folders are no failure
    CreateFolderPath(nullptr);
    EXPECT_TRUE(std::filesystem::is_directory(machine.DriveC("a/b/c d/e")));
}
