// Z: is the host outside the machine: its files are read (a medium, a
// response file) and never changed through the machine's calls, but where
// a person opened one path for changes (an output folder, a log file).
#include "HostFiles.h"
#include "TestMachine.h"
#include "platform/PlatformStdio.h"
#include "platform/Windows.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class HostReadOnlyTest : public MachineTest {
protected:
    HostReadOnlyTest()
        : host(fs::path(machine.Root()).parent_path() /
               (fs::path(machine.Root()).filename().string() + "-host")) {
        WriteHostFile(host / "canary.txt", "host");
        fs::create_directories(host / "folder");
    }
    ~HostReadOnlyTest() override { fs::remove_all(host); }

    // The Windows form of a host path: Z: and its slashes as backslashes.
    static std::string OnZ(const fs::path& path) {
        std::string windows = "Z:" + path.string();
        for (char& c : windows)
            if (c == '/')
                c = '\\';
        return windows;
    }
    bool Unchanged() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(host))
            names.push_back(fs::relative(entry.path(), host).string());
        return ReadHostFile(host / "canary.txt") == "host" && names.size() == 2;
    }

    fs::path host;
};

HANDLE Open(const std::string& path, DWORD access, DWORD disposition) {
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

TEST_F(HostReadOnlyTest, EveryChangeOnZIsDeniedAndEveryReadWorks) {
    const std::string canary = OnZ(host / "canary.txt"), fresh = OnZ(host / "new.txt");
    const std::string folder = OnZ(host / "folder");
    HANDLE read = Open(canary, GENERIC_READ, OPEN_EXISTING);
    EXPECT_NE(read, INVALID_HANDLE_VALUE);
    CloseHandle(read);
    for (DWORD disposition : {CREATE_ALWAYS, CREATE_NEW, OPEN_ALWAYS, TRUNCATE_EXISTING}) {
        SetLastError(0);
        EXPECT_EQ(Open(fresh, GENERIC_WRITE, disposition), INVALID_HANDLE_VALUE) << disposition;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    }
    EXPECT_EQ(Open(canary, GENERIC_WRITE, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(DeleteFileA(canary.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(RemoveDirectoryA(folder.c_str()));
    EXPECT_FALSE(CreateDirectoryA(OnZ(host / "made").c_str(), nullptr));
    EXPECT_FALSE(MoveFileExA(canary.c_str(), fresh.c_str(), 0));
    EXPECT_FALSE(MoveFileExA(canary.c_str(), "C:\\taken.txt", MOVEFILE_COPY_ALLOWED));
    EXPECT_FALSE(MoveFileExA(canary.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
    EXPECT_FALSE(CopyFileA("C:\\Windows\\win.ini", fresh.c_str(), FALSE));
    EXPECT_EQ(PlatformFopen(canary.c_str(), "r+b"), nullptr);
    EXPECT_EQ(PlatformFopen(fresh.c_str(), "wb"), nullptr);
    EXPECT_TRUE(CopyFileA(canary.c_str(), "C:\\copied.txt", FALSE)); // reading is fine
    EXPECT_EQ(ReadHostFile(machine.DriveC("copied.txt")), "host");
    EXPECT_TRUE(Unchanged());
}

// A relative path on a process whose current folder is on the host is a
// path of Z: as well.
TEST_F(HostReadOnlyTest, RelativePathsFromAHostFolderAreOnZ) {
    const fs::path before = fs::current_path();
    fs::current_path(host);
    HANDLE file = Open("relative.txt", GENERIC_WRITE, CREATE_ALWAYS);
    const DWORD error = GetLastError();
    fs::current_path(before);
    EXPECT_EQ(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(Unchanged());
}

// An opened folder takes changes beneath it, and only there: not in a
// folder whose name merely starts with its name.
TEST_F(HostReadOnlyTest, AnOpenedFolderTakesChangesBeneathItOnly) {
    Machine::AllowHostChanges((host / "folder").string());
    HANDLE file = Open(OnZ(host / "folder" / "out.txt"), GENERIC_WRITE, CREATE_ALWAYS);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_TRUE(CreateDirectoryA(OnZ(host / "folder" / "sub").c_str(), nullptr));
    fs::create_directories(host / "folder2");
    EXPECT_EQ(Open(OnZ(host / "folder2" / "out.txt"), GENERIC_WRITE, CREATE_ALWAYS),
              INVALID_HANDLE_VALUE);
    EXPECT_FALSE(DeleteFileA(OnZ(host / "canary.txt").c_str()));
    EXPECT_EQ(ReadHostFile(host / "canary.txt"), "host");
}
