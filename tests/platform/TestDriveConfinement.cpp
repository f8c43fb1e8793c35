// Links planted on drive C: never lead a read, a write or a deletion out of
// the drive, and no file is ever written through a link.
#include "TestMachine.h"
#include "platform/PlatformStdio.h"
#include "platform/WinBase.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class DriveConfinementTest : public MachineTest {
protected:
    void SetUp() override {
        outside = machine.Root() + "/outside";
        fs::create_directories(outside);
        std::ofstream(outside + "/secret.txt") << "secret";
        fs::create_directories(machine.DriveC("Program Files/Product"));
    }

    std::string Read(const std::string& host) const {
        std::ifstream in(host, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    HANDLE Open(const char* path, DWORD access, DWORD disposition) {
        return CreateFileA(path, access, FILE_SHARE_READ, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    }

    bool Write(const char* path, DWORD disposition, const std::string& data) {
        HANDLE file = Open(path, GENERIC_WRITE, disposition);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        DWORD written = 0;
        bool ok = WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
        return CloseHandle(file) && ok;
    }

    std::string outside;
};

} // namespace

TEST_F(DriveConfinementTest, AFolderLinkOutOfTheDriveLeadsNowhere) {
    fs::create_directory_symlink(outside, machine.DriveC("Program Files/Product/linked"));

    EXPECT_FALSE(Write("C:\\Program Files\\Product\\linked\\new.txt", CREATE_ALWAYS, "x"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(Open("C:\\Program Files\\Product\\linked\\secret.txt", GENERIC_READ, OPEN_EXISTING),
              INVALID_HANDLE_VALUE);
    EXPECT_FALSE(CreateDirectoryA("C:\\Program Files\\Product\\linked\\sub", nullptr));
    EXPECT_FALSE(DeleteFileA("C:\\Program Files\\Product\\linked\\secret.txt"));
    WIN32_FIND_DATAA data;
    EXPECT_EQ(FindFirstFileA("C:\\Program Files\\Product\\linked\\*", &data), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(
        CopyFileA("C:\\Windows\\win.ini", "C:\\Program Files\\Product\\linked\\c.ini", FALSE));
    EXPECT_EQ(PlatformFopen("C:\\Program Files\\Product\\linked\\f.txt", "w"), nullptr);

    EXPECT_EQ(Read(outside + "/secret.txt"), "secret");
    EXPECT_EQ(std::distance(fs::directory_iterator(outside), fs::directory_iterator()), 1);

    // The link itself can be removed.
    EXPECT_TRUE(DeleteFileA("C:\\Program Files\\Product\\linked"));
    EXPECT_TRUE(fs::exists(outside + "/secret.txt"));
}

TEST_F(DriveConfinementTest, LinksInsideTheDriveStillWork) {
    fs::create_directories(machine.DriveC("Data"));
    std::ofstream(machine.DriveC("Data/a.txt")) << "inside";
    fs::create_directory_symlink(machine.DriveC("Data"), machine.DriveC("Program Files/Product/d"));
    fs::create_symlink(machine.DriveC("Data/a.txt"), machine.DriveC("Program Files/Product/a.lnk"));

    HANDLE file = Open("C:\\Program Files\\Product\\a.lnk", GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_TRUE(Write("C:\\Program Files\\Product\\d\\b.txt", CREATE_NEW, "b"));
    EXPECT_EQ(Read(machine.DriveC("Data/b.txt")), "b");
}

// A creation that empties the file replaces a link at its place; other
// writes through a link are refused; the file it pointed at stays as it was.
TEST_F(DriveConfinementTest, FilesAreNeverWrittenThroughALink) {
    std::string home = outside + "/secret.txt";
    fs::create_symlink(home, machine.DriveC("Program Files/Product/a.dll"));
    fs::create_symlink(home, machine.DriveC("Program Files/Product/b.dll"));
    fs::create_symlink(outside + "/made-by-dangling",
                       machine.DriveC("Program Files/Product/c.dll"));
    fs::create_symlink(home, machine.DriveC("Program Files/Product/d.txt"));
    fs::create_symlink(home, machine.DriveC("Program Files/Product/e.txt"));

    EXPECT_TRUE(Write("C:\\Program Files\\Product\\a.dll", CREATE_ALWAYS, "new"));
    EXPECT_FALSE(Write("C:\\Program Files\\Product\\b.dll", OPEN_EXISTING, "x"));
    EXPECT_FALSE(Write("C:\\Program Files\\Product\\b.dll", OPEN_ALWAYS, "x"));
    EXPECT_FALSE(Write("C:\\Program Files\\Product\\c.dll", OPEN_ALWAYS, "x"));
    EXPECT_TRUE(Write("C:\\Program Files\\Product\\c.dll", CREATE_ALWAYS, "c"));
    FILE* stream = PlatformFopen("C:\\Program Files\\Product\\d.txt", "wb");
    ASSERT_NE(stream, nullptr);
    std::fputs("d", stream);
    std::fclose(stream);
    EXPECT_EQ(PlatformFopen("C:\\Program Files\\Product\\e.txt", "ab"), nullptr);

    EXPECT_EQ(Read(home), "secret");
    EXPECT_FALSE(fs::exists(outside + "/made-by-dangling"));
    for (const char* name : {"a.dll", "c.dll", "d.txt"})
        EXPECT_FALSE(fs::is_symlink(machine.DriveC("Program Files/Product/") + name)) << name;
    EXPECT_EQ(Read(machine.DriveC("Program Files/Product/a.dll")), "new");
    EXPECT_EQ(Read(machine.DriveC("Program Files/Product/d.txt")), "d");
}

TEST_F(DriveConfinementTest, CopiesReplaceALinkAndNeverReadOutOfTheDrive) {
    std::ofstream(machine.DriveC("Program Files/Product/source.txt")) << "copied";
    fs::create_symlink(outside + "/secret.txt", machine.DriveC("Program Files/Product/target.txt"));
    fs::create_symlink(outside + "/secret.txt", machine.DriveC("Program Files/Product/leak.txt"));

    EXPECT_FALSE(CopyFileA("C:\\Program Files\\Product\\source.txt",
                           "C:\\Program Files\\Product\\target.txt", TRUE));
    EXPECT_TRUE(CopyFileA("C:\\Program Files\\Product\\source.txt",
                          "C:\\Program Files\\Product\\target.txt", FALSE));
    EXPECT_FALSE(fs::is_symlink(machine.DriveC("Program Files/Product/target.txt")));
    EXPECT_EQ(Read(machine.DriveC("Program Files/Product/target.txt")), "copied");
    EXPECT_EQ(Read(outside + "/secret.txt"), "secret");

    EXPECT_FALSE(CopyFileA("C:\\Program Files\\Product\\leak.txt", "C:\\leaked.txt", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(fs::exists(machine.DriveC("leaked.txt")));
}

// A folder found inside the drive once is remembered; replacing it by a
// link later must be seen.
TEST_F(DriveConfinementTest, AFolderReplacedByALinkIsSeen) {
    fs::create_directories(machine.DriveC("Swap"));
    EXPECT_TRUE(Write("C:\\Swap\\one.txt", CREATE_ALWAYS, "1"));
    fs::remove_all(machine.DriveC("Swap"));
    fs::create_directory_symlink(outside, machine.DriveC("Swap"));
    EXPECT_FALSE(Write("C:\\Swap\\two.txt", CREATE_ALWAYS, "2"));
    EXPECT_FALSE(fs::exists(outside + "/two.txt"));
}

// A folder whose names are remembered answers for new files without looking
// at the host: a folder above it renamed away and replaced, by a link out of
// the drive or by another folder, must still be seen.
TEST_F(DriveConfinementTest, AFolderAboveAListedOneReplacedIsSeen) {
    fs::create_directories(machine.DriveC("Up/Down"));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(
            Write(("C:\\Up\\Down\\" + std::to_string(i) + ".txt").c_str(), CREATE_NEW, "1"));
    fs::create_directories(outside + "/Down");
    fs::rename(machine.DriveC("Up"), machine.DriveC("Up.old"));
    fs::create_directory_symlink(outside, machine.DriveC("Up"));
    EXPECT_FALSE(Write("C:\\Up\\Down\\3.txt", CREATE_NEW, "2"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(fs::exists(outside + "/Down/3.txt"));

    fs::remove(machine.DriveC("Up"));
    fs::create_directories(machine.DriveC("Up/Down"));
    std::ofstream(machine.DriveC("Up/Down/Other.txt")) << "x";
    EXPECT_FALSE(Write("C:\\Up\\Down\\OTHER.TXT", CREATE_NEW, "3"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_TRUE(Write("C:\\Up\\Down\\4.txt", CREATE_NEW, "4"));
    EXPECT_EQ(2, std::distance(fs::directory_iterator(machine.DriveC("Up/Down")),
                               fs::directory_iterator()));
}

// A hard link planted where a file is written shares its data with a file
// outside the machine: every kind of write replaces the machine's name, and
// the other name keeps its bytes. Sharing is still checked against the
// opens of the file it replaces.
TEST_F(DriveConfinementTest, AFileWithOtherNamesIsReplacedNotWritten) {
    const std::string home = outside + "/secret.txt";
    const std::string product = machine.DriveC("Program Files/Product/");
    for (const char* name : {"a.dll", "b.dll", "c.ini", "d.log", "e.txt"})
        fs::create_hard_link(home, product + name);

    EXPECT_TRUE(Write("C:\\Program Files\\Product\\a.dll", CREATE_ALWAYS, "new"));
    EXPECT_TRUE(Write("C:\\Program Files\\Product\\b.dll", OPEN_EXISTING, "S"));
    FILE* stream = PlatformFopen("C:\\Program Files\\Product\\c.ini", "wb");
    ASSERT_NE(stream, nullptr);
    std::fputs("c", stream);
    std::fclose(stream);
    stream = PlatformFopen("C:\\Program Files\\Product\\d.log", "ab");
    ASSERT_NE(stream, nullptr);
    std::fputs("+d", stream);
    std::fclose(stream);
    HANDLE held = CreateFileA("C:\\Program Files\\Product\\e.txt", GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(Write("C:\\Program Files\\Product\\e.txt", CREATE_ALWAYS, "e"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    CloseHandle(held);

    EXPECT_EQ(Read(home), "secret");
    EXPECT_EQ(fs::hard_link_count(home), 2u); // e.txt alone still shares it
    EXPECT_EQ(Read(product + "a.dll"), "new");
    EXPECT_EQ(Read(product + "b.dll"), "Secret");
    EXPECT_EQ(Read(product + "c.ini"), "c");
    EXPECT_EQ(Read(product + "d.log"), "secret+d");
    EXPECT_EQ(std::distance(fs::directory_iterator(product), fs::directory_iterator()), 5);
}
