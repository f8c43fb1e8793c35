// Links planted in the destination before an extraction: a link at a
// member's place is replaced by the member, a linked folder that leads out of
// the drive stops the package, and nothing outside the drive is written.
#include "ZipageFixture.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class ZipageLinkTest : public ZipageTest {
protected:
    void SetUp() override {
        ZipageTest::SetUp();
        outside = machine.Root() + "/home";
        fs::create_directories(outside + "/docs");
        std::ofstream(outside + "/profile") << "mine";
        fs::create_directories(Host("Out"));
        VolumeBytes volume;
        package = volume.Package(2);
        volume.Member("profile", ZlibStream("from the archive"));
        volume.Member("docs\\note.txt", ZlibStream("note"));
        volume.Trailer();
        ASSERT_TRUE(Save(volume));
        ASSERT_EQ(0, OpenMain());
    }
    std::string ReadHost(const std::string& path) const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string outside;
    std::uint32_t package = 0;
};

} // namespace

TEST_F(ZipageLinkTest, AMemberReplacesALinkAtItsPlace) {
    fs::create_symlink(outside + "/profile", Host("Out/profile"));
    fs::create_directories(Host("Out/docs"));
    ASSERT_EQ(0, Extract(static_cast<std::int32_t>(package)));
    EXPECT_FALSE(fs::is_symlink(Host("Out/profile")));
    EXPECT_EQ("from the archive", Read("Out/profile"));
    EXPECT_EQ("mine", ReadHost(outside + "/profile"));
}

TEST_F(ZipageLinkTest, AFolderLinkOutOfTheDriveStopsThePackage) {
    fs::create_directory_symlink(outside + "/docs", Host("Out/docs"));
    EXPECT_EQ(-1, Extract(static_cast<std::int32_t>(package)));
    EXPECT_FALSE(fs::exists(outside + "/docs/note.txt"));
    EXPECT_EQ("mine", ReadHost(outside + "/profile"));
}
