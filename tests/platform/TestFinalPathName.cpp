#include "TestMachine.h"
#include "platform/WinBase.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class FinalPathNameTest : public MachineTest {
protected:
    void SetUp() override {
        fs::create_directories(machine.DriveC("Real/Inner"));
        std::ofstream(machine.DriveC("Real/Inner/File.txt")) << "data";
        fs::create_directory_symlink("Real", machine.DriveC("Linked"));
    }
    static HANDLE Open(const char16_t* path, DWORD flags = 0) {
        return CreateFileW(path, 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, flags, nullptr);
    }
    static std::u16string FinalPath(HANDLE file, DWORD flags = VOLUME_NAME_DOS) {
        char16_t buffer[MAX_PATH];
        DWORD length = GetFinalPathNameByHandleW(file, buffer, MAX_PATH, flags);
        return std::u16string(buffer, length < MAX_PATH ? length : 0);
    }
};

TEST_F(FinalPathNameTest, ResolvesLinksAndGivesTheNamesOnDisk) {
    HANDLE file = Open(u"c:\\LINKED\\inner\\file.TXT");
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(FinalPath(file), u"\\\\?\\C:\\Real\\Inner\\File.txt");
    EXPECT_EQ(FinalPath(file, VOLUME_NAME_NONE | FILE_NAME_OPENED), u"\\Real\\Inner\\File.txt");
    char narrow[MAX_PATH];
    EXPECT_EQ(GetFinalPathNameByHandleA(file, narrow, MAX_PATH, VOLUME_NAME_DOS), 26u);
    EXPECT_STREQ(narrow, "\\\\?\\C:\\Real\\Inner\\File.txt");
    CloseHandle(file);
}

TEST_F(FinalPathNameTest, ASmallBufferGetsTheSizeNeededAndNothingWritten) {
    HANDLE file = Open(u"C:\\Real\\Inner\\File.txt");
    char16_t buffer[26];
    buffer[0] = u'#';
    EXPECT_EQ(GetFinalPathNameByHandleW(file, buffer, 26, VOLUME_NAME_DOS), 27u);
    EXPECT_EQ(buffer[0], u'#');
    EXPECT_EQ(GetFinalPathNameByHandleW(file, buffer, 26, VOLUME_NAME_NONE), 20u);
    CloseHandle(file);
}

TEST_F(FinalPathNameTest, RefusesVolumeFormsAndOtherHandles) {
    HANDLE file = Open(u"C:\\Real\\Inner\\File.txt");
    char16_t buffer[MAX_PATH];
    EXPECT_EQ(GetFinalPathNameByHandleW(file, buffer, MAX_PATH, VOLUME_NAME_GUID), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    CloseHandle(file);
    EXPECT_EQ(GetFinalPathNameByHandleW(file, buffer, MAX_PATH, VOLUME_NAME_DOS), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

// A folder opens only as Windows opens one, and its handle reads nothing.
TEST_F(FinalPathNameTest, AFolderOpensWithBackupSemantics) {
    EXPECT_EQ(Open(u"C:\\Linked\\Inner"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(CreateFileW(u"C:\\Real", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_FLAG_BACKUP_SEMANTICS, nullptr),
              INVALID_HANDLE_VALUE);
    HANDLE folder = Open(u"C:\\Linked\\Inner", FILE_FLAG_BACKUP_SEMANTICS);
    ASSERT_NE(folder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(FinalPath(folder), u"\\\\?\\C:\\Real\\Inner");
    char byte;
    DWORD read = 0;
    EXPECT_FALSE(ReadFile(folder, &byte, 1, &read, nullptr));
    CloseHandle(folder);
}

} // namespace
