#include "TestMachine.h"
#include "platform/WinBase.h"

#include <filesystem>
#include <fstream>
#include <vector>

namespace {

// The names a search finds, in listing order, with "/" marking folders.
std::vector<std::string> Find(const char* pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern, &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        bool folder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        names.push_back(std::string(data.cFileName) + (folder ? "/" : ""));
    } while (FindNextFileA(find, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(find));
    return names;
}

class FindFileTest : public MachineTest {
protected:
    void SetUp() override {
        std::filesystem::create_directories(machine.DriveC("Data/Sub"));
        std::ofstream(machine.DriveC("Data/Readme.TXT")) << "12345";
        std::ofstream(machine.DriveC("Data/setup.exe")) << "x";
        std::ofstream(machine.DriveC("Data/a.txt")) << "";
        std::ofstream(machine.DriveC("Data/noext")) << "";
    }
};

} // namespace

TEST_F(FindFileTest, ListsAFolderWithDotsAndFolderBits) {
    EXPECT_EQ(Find("C:\\data\\*"), (std::vector<std::string>{"./", "../", "a.txt", "noext",
                                                             "Readme.TXT", "setup.exe", "Sub/"}));
    EXPECT_EQ(Find("C:\\data\\*.*").size(), 7u);
}

TEST_F(FindFileTest, WildcardsIgnoreCase) {
    EXPECT_EQ(Find("C:\\Data\\*.txt"), (std::vector<std::string>{"a.txt", "Readme.TXT"}));
    EXPECT_EQ(Find("C:\\Data\\?.TXT"), (std::vector<std::string>{"a.txt"}));
    EXPECT_EQ(Find("C:\\Data\\SETUP.EXE"), (std::vector<std::string>{"setup.exe"}));
    EXPECT_EQ(Find("C:\\Data\\noext.*"), (std::vector<std::string>{"noext"}));
    EXPECT_EQ(Find("C:\\Data\\*e*e*"), (std::vector<std::string>{"Readme.TXT", "setup.exe"}));
}

TEST_F(FindFileTest, ReportsSizesAndMisses) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(u"C:\\Data\\readme.txt", &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.nFileSizeLow, 5u);
    EXPECT_EQ(std::u16string(data.cFileName), u"Readme.TXT");
    FindClose(find);
    EXPECT_EQ(FindFirstFileW(u"C:\\Data\\*.doc", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(FindFirstFileW(u"C:\\Missing\\*", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(FindClose(INVALID_HANDLE_VALUE));
}

TEST_F(FindFileTest, SymbolicLinksAreNeverListedAsFolders) {
    std::filesystem::create_directory_symlink(machine.DriveC("Windows"),
                                              machine.DriveC("Data/link"));
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA("C:\\Data\\link", &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_NE(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
    FindClose(find);
    EXPECT_TRUE(DeleteFileA("C:\\Data\\link")); // removes the link, not the folder
    EXPECT_TRUE(std::filesystem::is_directory(machine.DriveC("Windows/System32")));
}

TEST_F(MachineTest, DriveRootsListNoDots) {
    std::vector<std::string> names = Find("C:\\*");
    EXPECT_NE(std::find(names.begin(), names.end(), "Windows/"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "./"), names.end());
}

// Linux lets a name hold what Windows cannot; a path rebuilt from such a name
// would name something else ("..\..\Windows" would climb out of the folder).
TEST_F(FindFileTest, LeavesOutNamesWindowsCannotHave) {
    const char* invalid[] = {"..\\..\\Windows", "a:b",   "what?",     "star*",      "pipe|",
                             "quote\"",         "less<", "tab\tname", "bad\xff\xfe"};
    for (const char* name : invalid)
        std::filesystem::create_directories(machine.DriveC("Odd/") + name);
    std::ofstream(machine.DriveC("Odd/plain.txt")) << "";
    EXPECT_EQ(Find("C:\\Odd\\*"), (std::vector<std::string>{"./", "../", "plain.txt"}));
}

// The "A" listing hands out only names the ANSI code page can spell; the
// "W" listing has them all.
TEST_F(FindFileTest, AnsiListingLeavesOutNamesTheCodePageLacks) {
    std::filesystem::create_directories(machine.DriveC("Mixed"));
    std::ofstream(machine.DriveC("Mixed/caf\xc3\xa9.txt")) << "";  // é is in 1252
    std::ofstream(machine.DriveC("Mixed/\xe6\x97\xa5.txt")) << ""; // 日 is not
    EXPECT_EQ(Find("C:\\Mixed\\*.txt"), (std::vector<std::string>{"caf\xe9.txt"}));

    std::vector<std::u16string> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(u"C:\\Mixed\\*.txt", &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    do
        names.push_back(data.cFileName);
    while (FindNextFileW(find, &data));
    FindClose(find);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"caf\u00e9.txt", u"\u65e5.txt"}));
}
