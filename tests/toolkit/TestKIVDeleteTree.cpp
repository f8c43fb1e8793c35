#include "TestMachine.h"
#include "toolkit/KIVDeleteTree.h"
#include "toolkit/KIVSystem.h"

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

namespace fs = std::filesystem;

class KIVDeleteTreeTest : public ::testing::TestWithParam<PlatformFamily> {
protected:
    void SetUp() override {
        MachineSettings settings;
        settings.family = GetParam();
        machine = std::make_unique<TestMachine>(settings);
        KIVResetPlatformFamily();
        fs::create_directories(Host("Tree/a/b/c"));
        fs::create_directories(Host("Tree/empty"));
        for (const char* file : {"Tree/top.txt", "Tree/a/one", "Tree/a/b/two", "Tree/a/b/c/three"})
            std::ofstream(Host(file)) << file;
    }
    void TearDown() override { KIVResetPlatformFamily(); }
    std::string Host(const std::string& relative) const { return machine->DriveC(relative); }
    std::unique_ptr<TestMachine> machine;
};

TEST_P(KIVDeleteTreeTest, EmptiesTheFolderAndKeepsIt) {
    EXPECT_EQ(KIVDeleteTree(u"C:\\Nowhere"), 1);
    KIVDeleteFolder(u"C:\\Nowhere");
    EXPECT_EQ(KIVDeleteTree(u"C:\\Tree"), 1);
    EXPECT_TRUE(fs::is_directory(Host("Tree")));
    EXPECT_TRUE(fs::is_empty(Host("Tree")));
}

TEST_P(KIVDeleteTreeTest, DeleteFolderRemovesNestedFoldersAndItself) {
    KIVDeleteFolder(u"c:/tree");
    EXPECT_FALSE(fs::exists(Host("Tree")));
    EXPECT_TRUE(fs::is_directory(Host("Windows"))) << "nothing beside it";
}

TEST_P(KIVDeleteTreeTest, LinksAreRemovedNotFollowed) {
    fs::create_directories(Host("Outside/inner"));
    std::ofstream(Host("Outside/keep.txt")) << "keep";
    std::ofstream(Host("Outside/inner/deep.txt")) << "deep";
    fs::create_directory_symlink(Host("Outside"), Host("Tree/a/to-folder"));
    fs::create_symlink(Host("Outside/keep.txt"), Host("Tree/to-file"));
    fs::create_symlink(Host("Nowhere"), Host("Tree/dangling"));

    KIVDeleteFolder(u"C:\\Tree");
    EXPECT_FALSE(fs::exists(fs::symlink_status(Host("Tree"))));
    EXPECT_TRUE(fs::exists(Host("Outside/keep.txt")));
    EXPECT_TRUE(fs::exists(Host("Outside/inner/deep.txt")));
}

// A host folder named "..\..\Windows" inside the tree is no way out of it.
TEST_P(KIVDeleteTreeTest, NamesWindowsCannotHaveNeverLeadOut) {
    fs::create_directories(Host("Tree/a/..\\..\\Windows"));
    std::ofstream(Host("Tree/a/..\\..\\Windows/inside.txt")) << "x";
    std::ofstream(Host("Windows/keep.ini")) << "keep";
    fs::create_directories(Host("Tree/c:\\Windows"));

    KIVDeleteFolder(u"C:\\Tree");
    EXPECT_TRUE(fs::exists(Host("Windows/keep.ini")));
    EXPECT_TRUE(fs::exists(Host("Tree/a/..\\..\\Windows/inside.txt"))) << "left as it is";
    EXPECT_FALSE(fs::exists(Host("Tree/top.txt")));
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, KIVDeleteTreeTest,
                         ::testing::Values(PlatformFamily::NT, PlatformFamily::Win9x),
                         [](const auto& info) {
                             return info.param == PlatformFamily::NT ? "NT" : "Win9x";
                         });

} // namespace
