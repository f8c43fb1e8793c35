#include "TestMachine.h"
#include "platform/PathMap.h"
#include "toolkit/KIVString.h"
#include "toolkit/KIVSystem.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

MachineSettings Settings(PlatformFamily family, unsigned codePage = 1252) {
    MachineSettings settings;
    settings.family = family;
    settings.codePage = codePage;
    return settings;
}

// A fresh machine of either family; the family is decided anew for it.
class KIVSystemFamilyTest : public ::testing::TestWithParam<PlatformFamily> {
protected:
    void SetUp() override {
        machine = std::make_unique<TestMachine>(Settings(GetParam()));
        KIVResetPlatformFamily();
    }
    void TearDown() override { KIVResetPlatformFamily(); }
    std::unique_ptr<TestMachine> machine;
};

TEST_P(KIVSystemFamilyTest, FamilyIsDecidedOnceFromTheVersion) {
    bool nt = GetParam() == PlatformFamily::NT;
    EXPECT_EQ(KIVIsWindowsNT(), nt);
    TestMachine other(Settings(nt ? PlatformFamily::Win9x : PlatformFamily::NT));
    EXPECT_EQ(KIVIsWindowsNT(), nt) << "kept for the life of the process";
    KIVResetPlatformFamily();
    EXPECT_EQ(KIVIsWindowsNT(), !nt);
}

TEST_P(KIVSystemFamilyTest, FileAndFolderWrappers) {
    EXPECT_TRUE(KIVCreateDirectory(u"C:\\Data"));
    EXPECT_FALSE(KIVCreateDirectory(u"C:\\data"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    HANDLE file = KIVCreateFile(u"C:\\Data\\a.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "hello", 5, &written, nullptr);
    CloseHandle(file);
    KIVCopyFile(u"C:\\Data\\a.txt", u"C:\\Data\\b.txt", TRUE);
    EXPECT_EQ(fs::file_size(machine->DriveC("Data/b.txt")), 5u);

    KIVDeleteFile(u"C:\\Data\\A.TXT");
    KIVDeleteFile(u"C:\\Data\\b.txt");
    EXPECT_FALSE(fs::exists(machine->DriveC("Data/a.txt")));
    KIVRemoveDirectory(u"C:\\Data");
    EXPECT_FALSE(fs::exists(machine->DriveC("Data")));
}

TEST_P(KIVSystemFamilyTest, PathsComeBackWide) {
    char16_t buffer[MAX_PATH];
    EXPECT_EQ(KIVGetWindowsDirectory(buffer, MAX_PATH), 10u);
    EXPECT_EQ(KIVString(buffer), KIVString(u"C:\\Windows"));

    char host[4096] = {};
    ASSERT_GT(readlink("/proc/self/exe", host, sizeof host - 1), 0);
    std::string expected = PathMap::ToWindows(host);
    DWORD count = KIVGetModuleFileName(nullptr, buffer, MAX_PATH);
    EXPECT_EQ(count, expected.size());
    EXPECT_EQ(KIVString(buffer), KIVString(expected.c_str()));

    EXPECT_GT(KIVGetCurrentDirectory(MAX_PATH, buffer), 0u);
    EXPECT_EQ(buffer[1], u':');
}

TEST_P(KIVSystemFamilyTest, DiskFreeSpaceInKilobytes) {
    DWORD sectors = 0, bytes = 0, freeClusters = 0, totalClusters = 0;
    ASSERT_TRUE(KIVGetDiskFreeSpace(u"C:\\", &sectors, &bytes, &freeClusters, &totalClusters));
    ULARGE_INTEGER freeToCaller{}, total{}, totalFree{};
    ASSERT_TRUE(GetDiskFreeSpaceExW(u"C:\\", &freeToCaller, &total, &totalFree));
    EXPECT_EQ(sectors, 1u);
    EXPECT_EQ(bytes, 1024u);
    EXPECT_EQ(totalClusters, total.QuadPart >> 10);
    // Other processes write meanwhile: the free space may move a little.
    EXPECT_NEAR(static_cast<double>(freeClusters), static_cast<double>(freeToCaller.QuadPart >> 10),
                static_cast<double>(totalClusters) / 100);
}

TEST_P(KIVSystemFamilyTest, FileOpenWithNarrowAndWideModes) {
    FILE* out = KIVFileOpen(u"C:\\Windows\\note.txt", "wb");
    ASSERT_NE(out, nullptr);
    fputs("line", out);
    fclose(out);
    FILE* in = KIVFileOpen(u"c:/windows/NOTE.txt", u"rb");
    ASSERT_NE(in, nullptr);
    char text[8] = {};
    EXPECT_EQ(fread(text, 1, sizeof text, in), 4u);
    fclose(in);
    EXPECT_STREQ(text, "line");
    EXPECT_EQ(KIVFileOpen(u"C:\\Windows\\note.txt", u"rbrbrbrbrbrbrbrbrbrbrb"), nullptr)
        << "a mode longer than its 20 bytes";
    EXPECT_EQ(KIVFileOpen(u"C:\\Windows\\missing.txt", "rb"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, KIVSystemFamilyTest,
                         ::testing::Values(PlatformFamily::NT, PlatformFamily::Win9x),
                         [](const auto& info) {
                             return info.param == PlatformFamily::NT ? "NT" : "Win9x";
                         });

class KIVSystemOlderFamilyTest : public ::testing::Test {
protected:
    void SetUp() override { KIVResetPlatformFamily(); }
    void TearDown() override { KIVResetPlatformFamily(); }
};

TEST_F(KIVSystemOlderFamilyTest, TextsGoThroughTheAnsiCodePage) {
    TestMachine western(Settings(PlatformFamily::Win9x, 1252));
    EXPECT_TRUE(KIVCreateDirectory(u"C:\\caf\u00e9"));
    EXPECT_TRUE(fs::is_directory(western.DriveC("caf\u00e9")));
    // Omega has no place in code page 1252: the narrow function gets "?",
    // which no file name may hold.
    EXPECT_FALSE(KIVCreateDirectory(u"C:\\\u03a9"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));

    TestMachine japanese(Settings(PlatformFamily::Win9x, 932));
    KIVResetPlatformFamily();
    EXPECT_TRUE(KIVCreateDirectory(u"C:\\\u65e5\u672c"));
    EXPECT_TRUE(fs::is_directory(japanese.DriveC("\u65e5\u672c")));
    EXPECT_FALSE(KIVCreateDirectory(u"C:\\caf\u00e9"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));

    TestMachine nt(Settings(PlatformFamily::NT, 932));
    KIVResetPlatformFamily();
    EXPECT_TRUE(KIVCreateDirectory(u"C:\\caf\u00e9\u03a9"))
        << "wide text reaches the system unchanged";
}

// No narrow buffer is written past: an argument that does not fit is refused
// (never cut into another path), a returned path is cut to the caller's size.
TEST_F(KIVSystemOlderFamilyTest, NarrowBuffersAreRespected) {
    TestMachine japanese(Settings(PlatformFamily::Win9x, 932));
    // 132 wide characters, 262 bytes in code page 932 with the terminator.
    std::u16string path = u"C:\\" + std::u16string(129, u'\u65e5');
    EXPECT_FALSE(KIVCreateDirectory(path.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_EQ(KIVFileOpen(path.c_str(), "wb"), nullptr);
    for (const auto& entry : fs::directory_iterator(japanese.DriveC()))
        EXPECT_EQ(entry.path().filename().string().find("\u65e5"), std::string::npos);

    char16_t buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(KIVGetWindowsDirectory(buffer, 5), 10u);
    EXPECT_EQ(KIVString(buffer), KIVString(u"C:\\W"));
    EXPECT_EQ(buffer[5], u'#');
}

TEST(KIVSystem, ToBackslashes) {
    KIVString original(u"C:/Program Files/Product/");
    KIVString copy = original;
    KIVToBackslashes(copy);
    EXPECT_EQ(copy, KIVString(u"C:\\Program Files\\Product\\"));
    EXPECT_EQ(original, KIVString(u"C:/Program Files/Product/"))
        << "the shared buffer is left alone";
    char16_t text[] = u"a/b\\c/";
    KIVToBackslashes(text);
    EXPECT_EQ(std::u16string(text), u"a\\b\\c\\");
    KIVToBackslashes(static_cast<char16_t*>(nullptr));
}

} // namespace
