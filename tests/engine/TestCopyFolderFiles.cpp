#include "FileInstallFixture.h"
#include "engine/CopyFolderFiles.h"
#include "platform/Windows.h"

namespace {

class CopyFolderFilesTest : public FileInstallTest {
protected:
    void SetUp() override {
        FileInstallTest::SetUp();
        Write("medium/src/Alpha.txt", "alpha");
        Write("medium/src/beta.DAT", "beta!");
        Write("medium/src/gamma", "g");
        Write("medium/src/sub/inner.txt", "inner");
    }
    bool Copy(std::vector<std::string> names = {}, bool listMode = false,
              const char16_t* source = u"C:\\medium\\src") {
        entry.names = std::move(names);
        entry.listMode = listMode;
        return CopyFolderFiles(entry, source, medium, u"C:\\Dest\\deep", OnBytes, OnName, &cancel,
                               &pause, &files);
    }
    void Link(const std::string& target, const std::string& relative) const {
        std::filesystem::create_symlink(target, Host(relative));
    }
    std::vector<std::string> Listed() const {
        std::vector<std::string> paths;
        for (int i = 0; i < files.GetSize(); ++i)
            paths.emplace_back(files.GetAt(i));
        return paths;
    }

    MediumFolder medium{u"C:\\medium"};
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

// A source folder that is not there (a medium moved since an earlier
// installation named it) is a failure, not an empty folder, and makes
// nothing; an empty folder that is there copies nothing and succeeds.
TEST_P(CopyFolderFilesTest, AMissingSourceFolderFailsBeforeAnythingIsMade) {
    EXPECT_FALSE(Copy({}, false, u"C:\\medium\\gone"));
    EXPECT_FALSE(Copy({}, false, u"C:\\medium\\src\\gamma")) << "a file is no folder";
    EXPECT_FALSE(Exists("Dest"));
    EXPECT_TRUE(FileInstallEvents().empty());
    std::filesystem::create_directories(Host("medium/empty"));
    EXPECT_TRUE(Copy({}, false, u"C:\\medium\\empty"));
    EXPECT_TRUE(Exists("Dest/deep"));
    EXPECT_EQ(files.GetSize(), 0);
}

TEST_P(CopyFolderFilesTest, ACancelBeforeAFileEndsWithTrue) {
    cancel = 1;
    EXPECT_TRUE(Copy());
    EXPECT_EQ(files.GetSize(), 0);
    EXPECT_TRUE(FileInstallEvents().empty());
}

// A link is followed while it stays on the medium: a file link copies the
// file it leads to, a folder link is a sub-folder, and a source folder
// reached through a link is copied from where it leads.
TEST_P(CopyFolderFilesTest, LinksThatStayOnTheMediumAreFollowed) {
    Write("medium/shared/notes.txt", "shared");
    Write("medium/shared/deeper/x.txt", "x");
    Link("../shared/notes.txt", "medium/src/notes.txt");
    Link("../shared", "medium/src/folder");
    ASSERT_TRUE(Copy());
    EXPECT_EQ(Read("Dest/deep/notes.txt"), "shared");
    EXPECT_FALSE(Exists("Dest/deep/folder"));
    EXPECT_EQ(files.GetSize(), 4);

    Link("shared", "medium/data");
    ASSERT_TRUE(Copy({}, false, u"C:\\medium\\data"));
    EXPECT_EQ(files.GetSize(), 5);
    EXPECT_TRUE(medium.OutsideLink().IsEmpty());
}

// What a link outside the medium leads to stays where it is, and is not
// copied: the entry fails there, naming the link.
TEST_P(CopyFolderFilesTest, ALinkOutOfTheMediumFailsNamingIt) {
    Write("private/secret.txt", "secret");
    struct Case {
        std::string target, name;
        std::u16string link;
    };
    const Case cases[] = {
        {Host("private"), "away", u"C:\\medium\\src\\away"},
        {Host("private/secret.txt"), "leak.txt", u"C:\\medium\\src\\leak.txt"},
        {"../../private/secret.txt", "relative.txt", u"C:\\medium\\src\\relative.txt"},
        {Host("missing.txt"), "nowhere.txt", u"C:\\medium\\src\\nowhere.txt"},
    };
    for (const Case& c : cases) {
        Link(c.target, "medium/src/" + c.name);
        MediumFolder fresh(u"C:\\medium");
        EXPECT_FALSE(CopyFolderFiles(entry, u"C:\\medium\\src", fresh, u"C:\\Dest\\deep", OnBytes,
                                     OnName, &cancel, &pause, &files));
        EXPECT_EQ(std::u16string(fresh.OutsideLink()), c.link);
        std::filesystem::remove(Host("medium/src/" + c.name));
    }
    EXPECT_FALSE(Exists("Dest/deep/leak.txt"));
    EXPECT_FALSE(Exists("Dest/deep/relative.txt"));
    EXPECT_EQ(Read("private/secret.txt"), "secret");
}

TEST_P(CopyFolderFilesTest, ASourceFolderLinkedOutOfTheMediumFailsBeforeAnyCopy) {
    Write("private/secret.txt", "secret");
    Link("../private", "medium/data");
    EXPECT_FALSE(Copy({}, false, u"C:\\medium\\data"));
    EXPECT_EQ(std::u16string(medium.OutsideLink()), u"C:\\medium\\data");
    EXPECT_FALSE(Exists("Dest"));
    EXPECT_TRUE(FileInstallEvents().empty());
}

// The medium is usually on Z:, where no drive confinement keeps a link from
// reaching the host's own files.
TEST_P(CopyFolderFilesTest, ALinkOnAZMediumToAHostFileFails) {
    const std::string canary = machine->Root() + "/canary.txt";
    std::ofstream(canary) << "host";
    Link(canary, "medium/src/host.txt");
    std::u16string zMedium = u"Z:";
    for (char c : Host("medium")) // a temporary folder's path: ASCII
        zMedium += c == '/' ? u'\\' : static_cast<char16_t>(c);
    MediumFolder onZ(zMedium.c_str());
    EXPECT_FALSE(CopyFolderFiles(entry, (zMedium + u"\\src").c_str(), onZ, u"C:\\Dest\\deep",
                                 OnBytes, OnName, &cancel, &pause, &files));
    EXPECT_EQ(std::u16string(onZ.OutsideLink()), zMedium + u"\\src\\host.txt");
    EXPECT_FALSE(Exists("Dest/deep/host.txt"));
}

FILE_INSTALL_BOTH_FAMILIES(CopyFolderFilesTest);

} // namespace
