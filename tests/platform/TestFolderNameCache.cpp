// The remembered folder names must never hide another spelling of a name:
// neither one this process made nor one made behind its back.
#include "TestMachine.h"
#include "platform/WinBase.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
bool Create(const std::string& path, DWORD disposition) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    return file != INVALID_HANDLE_VALUE && CloseHandle(file);
}

std::size_t Entries(const std::string& folder) {
    std::size_t count = 0;
    for (auto it = fs::directory_iterator(folder); it != fs::directory_iterator(); ++it)
        ++count;
    return count;
}
} // namespace

TEST_F(MachineTest, NewFilesInABusyFolderStillMatchOtherSpellings) {
    fs::create_directories(machine.DriveC("many"));
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(Create("C:\\many\\file" + std::to_string(i) + ".txt", CREATE_ALWAYS));
    ASSERT_EQ(50u, Entries(machine.DriveC("many")));

    // Made by this process: another spelling opens the same file.
    EXPECT_FALSE(Create("C:\\many\\FILE7.TXT", CREATE_NEW));
    EXPECT_TRUE(Create("C:\\many\\File8.Txt", CREATE_ALWAYS));
    EXPECT_EQ(50u, Entries(machine.DriveC("many")));

    // Made behind the layer's back, after it last looked at the folder.
    std::ofstream(machine.DriveC("many/Outside.txt")) << "x";
    EXPECT_FALSE(Create("C:\\many\\OUTSIDE.TXT", CREATE_NEW));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_TRUE(Create("C:\\many\\new.txt", CREATE_NEW));
    EXPECT_EQ(52u, Entries(machine.DriveC("many")));
}

TEST_F(MachineTest, FilesMadeInTurnInSeveralFoldersKeepTheirSpellings) {
    // More folders than are remembered at once.
    for (int f = 0; f < 6; ++f)
        fs::create_directories(machine.DriveC("turn" + std::to_string(f)));
    for (int i = 0; i < 10; ++i)
        for (int f = 0; f < 6; ++f)
            ASSERT_TRUE(Create("C:\\turn" + std::to_string(f) + "\\n" + std::to_string(i) + ".dat",
                               CREATE_NEW));
    for (int f = 0; f < 6; ++f) {
        EXPECT_FALSE(Create("C:\\TURN" + std::to_string(f) + "\\N9.DAT", CREATE_NEW)) << f;
        EXPECT_EQ(10u, Entries(machine.DriveC("turn" + std::to_string(f))));
    }
}

// Another process makes a name within the same clock tick as this process's
// look at the folder: the folder's change time does not move, yet the name
// must be seen. The tick is forced by putting the change time back.
TEST_F(MachineTest, ANameMadeByAnotherProcessInTheSameTickIsSeen) {
    std::string folder = machine.DriveC("tick");
    fs::create_directories(folder);
    ASSERT_TRUE(Create("C:\\tick\\first.txt", CREATE_NEW));
    struct stat before;
    ASSERT_EQ(stat(folder.c_str(), &before), 0);

    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::ofstream(folder + "/Other.txt") << "x";
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    struct timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, folder.c_str(), times, 0), 0);

    EXPECT_FALSE(Create("C:\\tick\\OTHER.TXT", CREATE_NEW));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_TRUE(Create("C:\\tick\\other.txt", CREATE_ALWAYS));
    EXPECT_EQ(2u, Entries(folder));
}
