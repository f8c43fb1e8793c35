#include "FileInstallFixture.h"
#include "engine/CopyFolderFiles.h"
#include "platform/Windows.h"

namespace {

class CopyFolderFilesTest : public FileInstallTest {
protected:
    void SetUp() override {
        FileInstallTest::SetUp();
        Write("src/Alpha.txt", "alpha");
        Write("src/beta.DAT", "beta!");
        Write("src/gamma", "g");
        Write("src/sub/inner.txt", "inner");
    }
    bool Copy(std::vector<std::string> names = {}, bool listMode = false,
              const char16_t* source = u"C:\\src") {
        entry.names = std::move(names);
        entry.listMode = listMode;
        return CopyFolderFiles(entry, source, u"C:\\Dest\\deep", OnBytes, OnName, &cancel, &pause,
                               &files);
    }
    std::vector<std::string> Listed() const {
        std::vector<std::string> paths;
        for (int i = 0; i < files.GetSize(); ++i)
            paths.emplace_back(files.GetAt(i));
        return paths;
    }

    InstallEntry entry;
    std::atomic<unsigned char> cancel{0};
    std::atomic<unsigned char> pause{0};
    InstalledFileList files;
};

TEST_P(CopyFolderFilesTest, CopiesTheTopLevelFilesInListingOrder) {
    ASSERT_TRUE(Copy());
    EXPECT_EQ(Read("Dest/deep/Alpha.txt"), "alpha");
    EXPECT_EQ(Read("Dest/deep/beta.DAT"), "beta!");
    EXPECT_EQ(Read("Dest/deep/gamma"), "g");
    EXPECT_FALSE(Exists("Dest/deep/sub")) << "sub-folders are not copied";
    EXPECT_EQ(Listed(),
              (std::vector<std::string>{"C:\\Dest\\deep\\Alpha.txt", "C:\\Dest\\deep\\beta.DAT",
                                        "C:\\Dest\\deep\\gamma"}));
    EXPECT_EQ(FileInstallEvents(),
              (std::vector<std::string>{"name:Alpha.txt", "bytes:5", "name:beta.DAT", "bytes:5",
                                        "name:gamma", "bytes:1"}));
}

TEST_P(CopyFolderFilesTest, TheNameListChoosesOrSkipsWithoutCase) {
    ASSERT_TRUE(Copy({"ALPHA.TXT", "Gamma", "missing.txt"}, true));
    EXPECT_EQ(Listed(),
              (std::vector<std::string>{"C:\\Dest\\deep\\Alpha.txt", "C:\\Dest\\deep\\gamma"}));

    std::filesystem::remove_all(Host("Dest"));
    files.RemoveAll();
    ASSERT_TRUE(Copy({"alpha.txt", "BETA.dat"}, false));
    EXPECT_EQ(Listed(), (std::vector<std::string>{"C:\\Dest\\deep\\gamma"}));
    EXPECT_FALSE(Exists("Dest/deep/Alpha.txt"));
}

TEST_P(CopyFolderFilesTest, AnEmptyListCopiesAllOrNothing) {
    ASSERT_TRUE(Copy({}, true));
    EXPECT_EQ(files.GetSize(), 0);
    EXPECT_TRUE(Exists("Dest/deep")) << "the destination is made all the same";
    ASSERT_TRUE(Copy({}, false));
    EXPECT_EQ(files.GetSize(), 3);
}

// A destination held by another program cannot be written: the entry fails
// there, the files before stay listed and the failed one is not.
TEST_P(CopyFolderFilesTest, AFailingCopyStopsWithFalse) {
    Write("Dest/deep/beta.DAT", "in use");
    HANDLE held = CreateFileA("C:\\Dest\\deep\\beta.DAT", GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(Copy());
    CloseHandle(held);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"C:\\Dest\\deep\\Alpha.txt"}));
    EXPECT_EQ(Read("Dest/deep/beta.DAT"), "in use");
    EXPECT_FALSE(Exists("Dest/deep/gamma"));
}

TEST_P(CopyFolderFilesTest, ACancelBeforeAFileEndsWithTrue) {
    cancel = 1;
    EXPECT_TRUE(Copy());
    EXPECT_EQ(files.GetSize(), 0);
    EXPECT_TRUE(FileInstallEvents().empty());
}

FILE_INSTALL_BOTH_FAMILIES(CopyFolderFilesTest);

} // namespace
