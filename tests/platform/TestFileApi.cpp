#include "HostFiles.h"
#include "TestMachine.h"
#include "platform/PlatformStdio.h"
#include "platform/WinBase.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

HANDLE Open(const char* path, DWORD access, DWORD disposition, DWORD share = 0) {
    return CreateFileA(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

TEST_F(MachineTest, CreateFileDispositionsAndTheirErrors) {
    const char* path = "C:\\Windows\\Temp.dat";
    EXPECT_EQ(Open(path, GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(Open("C:\\Nowhere\\x.dat", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

    HANDLE file = Open(path, GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, "hello world", 11, &written, nullptr));
    EXPECT_EQ(written, 11u);
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_FALSE(CloseHandle(file));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

    EXPECT_EQ(Open("c:\\WINDOWS\\temp.DAT", GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    file = Open(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    CloseHandle(file);
    EXPECT_EQ(Open("C:\\Windows", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    file = Open(path, GENERIC_WRITE, TRUNCATE_EXISTING);
    CloseHandle(file);
    EXPECT_EQ(ReadHostFile(machine.DriveC("Windows/Temp.dat")), "");
}

// Creation tries a new file first; an existing one must still get every
// check before it is emptied.
TEST_F(MachineTest, CreateAlwaysOverAnExistingFile) {
    std::ofstream(machine.DriveC("Windows/keep.txt")) << "kept";
    HANDLE held = Open("C:\\Windows\\keep.txt", GENERIC_READ, OPEN_EXISTING, FILE_SHARE_READ);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Open("C:\\WINDOWS\\KEEP.TXT", GENERIC_WRITE, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    CloseHandle(held);
    fs::permissions(machine.DriveC("Windows/keep.txt"), fs::perms::owner_read);
    EXPECT_EQ(Open("C:\\Windows\\keep.txt", GENERIC_WRITE, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(ReadHostFile(machine.DriveC("Windows/keep.txt")), "kept");
    fs::permissions(machine.DriveC("Windows/keep.txt"), fs::perms::owner_all);

    HANDLE file = Open("C:\\windows\\Keep.Txt", GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    CloseHandle(file);
    EXPECT_EQ(ReadHostFile(machine.DriveC("Windows/keep.txt")), "");
    file = Open("C:\\Windows\\fresh.txt", GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    CloseHandle(file);

    EXPECT_EQ(Open("C:\\Windows", GENERIC_WRITE, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(Open("C:\\Nowhere\\x.dat", GENERIC_WRITE, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(fs::exists(machine.DriveC("Nowhere")));
}

TEST_F(MachineTest, ReadSeekAndSize) {
    std::ofstream(machine.DriveC("data.bin"), std::ios::binary) << "0123456789";
    HANDLE file = Open("C:\\DATA.BIN", GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD high = 7;
    EXPECT_EQ(GetFileSize(file, &high), 10u);
    EXPECT_EQ(high, 0u);
    char buffer[16] = {};
    DWORD read = 0;
    EXPECT_EQ(SetFilePointer(file, -4, nullptr, FILE_END), 6u);
    EXPECT_TRUE(ReadFile(file, buffer, 16, &read, nullptr)); // short read at the end succeeds
    EXPECT_EQ(std::string(buffer, read), "6789");
    EXPECT_TRUE(ReadFile(file, buffer, 16, &read, nullptr));
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(SetFilePointer(file, -20, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
    LONG highMove = 1;
    EXPECT_EQ(SetFilePointer(file, 0, &highMove, FILE_BEGIN), 0u); // 4 GiB, past the end
    EXPECT_EQ(highMove, 1);
    EXPECT_FALSE(WriteFile(file, "x", 1, &read, nullptr)); // opened for reading only
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    CloseHandle(file);
}

TEST_F(MachineTest, ShortWriteReportsDiskFull) {
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    Machine::AllowHostChanges("/dev/full"); // the host is read-only otherwise
    HANDLE full = Open("Z:\\dev\\full", GENERIC_WRITE, OPEN_EXISTING);
    ASSERT_NE(full, INVALID_HANDLE_VALUE);
    DWORD written = 99;
    EXPECT_FALSE(WriteFile(full, "abc", 3, &written, nullptr));
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
    CloseHandle(full);
}

TEST_F(MachineTest, SharingModesHoldFilesInUse) {
    std::ofstream(machine.DriveC("Windows/System32/lib.dll")) << "v1";
    std::ofstream(machine.DriveC("new.dll")) << "v2";
    HANDLE held =
        Open("C:\\Windows\\System32\\lib.dll", GENERIC_READ, OPEN_EXISTING, FILE_SHARE_READ);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    HANDLE reader =
        Open("C:\\Windows\\System32\\lib.dll", GENERIC_READ, OPEN_EXISTING, FILE_SHARE_READ);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    CloseHandle(reader);
    EXPECT_EQ(Open("C:\\Windows\\System32\\lib.dll", GENERIC_WRITE, OPEN_EXISTING,
                   FILE_SHARE_READ | FILE_SHARE_WRITE),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(DeleteFileA("C:\\Windows\\System32\\lib.dll"));
    EXPECT_FALSE(CopyFileA("C:\\new.dll", "C:\\Windows\\System32\\lib.dll", FALSE));
    EXPECT_FALSE(
        MoveFileExA("C:\\new.dll", "C:\\Windows\\System32\\lib.dll", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(ReadHostFile(machine.DriveC("Windows/System32/lib.dll")), "v1");
    CloseHandle(held);
    EXPECT_TRUE(
        MoveFileExA("C:\\new.dll", "C:\\Windows\\System32\\lib.dll", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(ReadHostFile(machine.DriveC("Windows/System32/lib.dll")), "v2");
}

TEST_F(MachineTest, CopyMoveAndDelete) {
    std::ofstream(machine.DriveC("a.txt")) << "alpha";
    EXPECT_TRUE(CopyFileW(u"C:\\A.TXT", u"C:\\Program Files\\b.txt", TRUE));
    EXPECT_EQ(ReadHostFile(machine.DriveC("Program Files/b.txt")), "alpha");
    EXPECT_EQ(fs::last_write_time(machine.DriveC("a.txt")),
              fs::last_write_time(machine.DriveC("Program Files/b.txt")));
    EXPECT_FALSE(CopyFileW(u"C:\\a.txt", u"C:\\Program Files\\b.txt", TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_FALSE(MoveFileExA("C:\\a.txt", "C:\\Program Files\\b.txt", 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_TRUE(MoveFileExA("C:\\a.txt", "C:\\A.txt", 0)); // a change of case only
    EXPECT_TRUE(fs::exists(machine.DriveC("A.txt")));
    EXPECT_FALSE(fs::exists(machine.DriveC("a.txt")));
    EXPECT_TRUE(MoveFileExA("C:\\A.txt", "C:\\c.txt", MOVEFILE_DELAY_UNTIL_REBOOT));
    EXPECT_FALSE(fs::exists(machine.DriveC("c.txt"))); // only at the next restart
    EXPECT_TRUE(DeleteFileA("c:\\a.TXT"));
    EXPECT_FALSE(DeleteFileA("C:\\a.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(DeleteFileA("C:\\Windows"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST_F(MachineTest, FoldersAndAttributes) {
    EXPECT_TRUE(CreateDirectoryA("C:\\App", nullptr));
    EXPECT_FALSE(CreateDirectoryA("C:\\app", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectoryA("C:\\Missing\\App", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    std::ofstream(machine.DriveC("App/f.txt")) << "x";
    EXPECT_EQ(GetFileAttributesA("C:\\APP"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributesW(u"C:\\App\\F.txt") & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(GetFileAttributesA("C:\\App\\g.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(RemoveDirectoryA("C:\\App"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
    EXPECT_FALSE(RemoveDirectoryA("C:\\App\\f.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
    EXPECT_EQ(GetFileAttributesA(("C:\\" + std::string(300, 'x')).c_str()),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
}

TEST(FileApi, AnsiNamesUseTheMachineCodePage) {
    MachineSettings settings;
    settings.codePage = 932;
    TestMachine machine(settings);
    HANDLE file = CreateFileA("C:\\\x93\xfa\x96\x7b.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              0, nullptr); // 日本.txt in Shift JIS
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_TRUE(fs::exists(machine.DriveC("日本.txt")));
    OFSTRUCT info;
    EXPECT_NE(OpenFile("C:\\\x93\xfa\x96\x7b.txt", &info, OF_EXIST), HFILE_ERROR);
    EXPECT_STREQ(info.szPathName, "C:\\\x93\xfa\x96\x7b.txt");
    EXPECT_EQ(OpenFile("C:\\none.txt", &info, OF_EXIST), HFILE_ERROR);
    EXPECT_EQ(info.nErrCode, ERROR_FILE_NOT_FOUND);
}

TEST_F(MachineTest, PlatformFopenMapsThePath) {
    FILE* out = PlatformFopen("C:\\WINDOWS\\wininit.ini", "wt");
    ASSERT_NE(out, nullptr);
    std::fputs("[rename]\n", out);
    std::fclose(out);
    EXPECT_EQ(ReadHostFile(machine.DriveC("Windows/wininit.ini")), "[rename]\n");
    EXPECT_EQ(PlatformFopen("C:\\Windows", "rb"), nullptr);
}

TEST_F(MachineTest, ReadOnlyMappingOutlivesItsFileHandle) {
    std::ofstream(machine.DriveC("Windows/font.bin"), std::ios::binary) << "FONTDATA";
    OFSTRUCT info;
    HFILE font = OpenFile("C:\\Windows\\FONT.BIN", &info, OF_READ);
    ASSERT_NE(font, HFILE_ERROR);
    HANDLE file = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(font));
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, "KIVGUIFontMap");
    ASSERT_NE(mapping, nullptr);
    EXPECT_TRUE(CloseHandle(file));
    auto* view = static_cast<const char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(std::string(view, 8), "FONTDATA");
    EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_READ, 0, 4, 0), nullptr); // unaligned
    EXPECT_TRUE(UnmapViewOfFile(view));
    EXPECT_FALSE(UnmapViewOfFile(view));
    EXPECT_TRUE(CloseHandle(mapping));
    std::ofstream(machine.DriveC("empty.bin"));
    HANDLE empty = CreateFileA("C:\\empty.bin", GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(CreateFileMappingA(empty, nullptr, PAGE_READONLY, 0, 0, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_INVALID));
    CloseHandle(empty);
}
