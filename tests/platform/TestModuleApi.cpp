#include "TestMachine.h"
#include "platform/PathMap.h"
#include "platform/WinBase.h"

#include <fstream>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

// The host path of a shared library this test program has loaded.
std::string LoadedLibrary(const std::string& part) {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        std::size_t slash = line.find('/');
        if (slash != std::string::npos && line.find(part) != std::string::npos)
            return line.substr(slash);
    }
    return "";
}

} // namespace

TEST_F(MachineTest, ModuleFileNameIsCutAndTerminated) {
    char full[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, full, MAX_PATH);
    ASSERT_GT(length, 3u);
    char self[4096] = {};
    ASSERT_GT(readlink("/proc/self/exe", self, sizeof self - 1), 0);
    EXPECT_EQ(std::string(full), PathMap::ToWindows(self));
    char small[6];
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, 6), 6u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::string(small), std::string(full, 5));
    WCHAR wide[MAX_PATH];
    EXPECT_EQ(GetModuleFileNameW(nullptr, wide, MAX_PATH), length);
}

TEST_F(MachineTest, LoadedLibrariesAreInUse) {
    std::string library = LoadedLibrary("libsqlite3");
    if (library.empty())
        GTEST_SKIP() << "sqlite is linked statically";
    std::string copy = machine.DriveC("Windows/System32/sqlite.dll");
    std::ifstream in(library, std::ios::binary);
    std::ofstream(copy, std::ios::binary) << in.rdbuf();
    HMODULE module = LoadLibraryA("SQLITE"); // found in the system folder, ".dll" implied
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(LoadLibraryA("C:\\Windows\\System32\\sqlite.dll"), module);
    char path[MAX_PATH];
    GetModuleFileNameA(module, path, MAX_PATH);
    EXPECT_STREQ(path, "C:\\Windows\\System32\\sqlite.dll");
    EXPECT_FALSE(DeleteFileA("C:\\Windows\\System32\\sqlite.dll"));
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_FALSE(DeleteFileA("C:\\Windows\\System32\\sqlite.dll")); // loaded twice
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_TRUE(DeleteFileA("C:\\Windows\\System32\\sqlite.dll"));
    EXPECT_FALSE(FreeLibrary(module));
    EXPECT_EQ(LoadLibraryA("missing.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST_F(MachineTest, DiskFreeIsTheHostVolumes) {
    ULARGE_INTEGER available, total, free;
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\Program Files", &available, &total, &free));
    struct statvfs volume;
    ASSERT_EQ(statvfs(machine.DriveC("Program Files").c_str(), &volume), 0);
    EXPECT_EQ(total.QuadPart, static_cast<ULONGLONG>(volume.f_blocks) * volume.f_frsize);
    EXPECT_LE(available.QuadPart, free.QuadPart);
    EXPECT_FALSE(GetDiskFreeSpaceExW(u"C:\\Program Files\\Not Yet", &available, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(MachineTest, CurrentDirectoryInWindowsForm) {
    char saved[4096];
    ASSERT_TRUE(getcwd(saved, sizeof saved));
    EXPECT_TRUE(SetCurrentDirectoryA("c:\\windows"));
    char current[MAX_PATH];
    EXPECT_EQ(GetCurrentDirectoryA(MAX_PATH, current), 10u);
    EXPECT_STREQ(current, "C:\\Windows");
    EXPECT_EQ(GetCurrentDirectoryA(4, current), 11u);
    EXPECT_FALSE(SetCurrentDirectoryA("C:\\nowhere"));
    ASSERT_EQ(chdir(saved), 0);
}

TEST(GlobalMemory, MovableAndFixedBlocks) {
    HGLOBAL movable = GlobalAlloc(GHND, 100);
    ASSERT_NE(movable, nullptr);
    EXPECT_EQ(GlobalSize(movable), 100u);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(movable));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes[99], 0);
    EXPECT_FALSE(GlobalUnlock(movable));
    EXPECT_EQ(GlobalFree(movable), nullptr);
    EXPECT_EQ(GlobalLock(movable), nullptr); // freed
    EXPECT_EQ(GlobalFree(movable), movable);
    HGLOBAL fixed = GlobalAlloc(GMEM_FIXED, 8);
    EXPECT_EQ(GlobalLock(fixed), fixed);
    EXPECT_EQ(GlobalFree(fixed), nullptr);
}
