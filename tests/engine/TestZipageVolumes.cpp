#include "ZipageFixture.h"

#include <chrono>
#include <thread>

namespace {
// A volume with one package of one member "<name>" holding text; the
// package lies at offset 4.
VolumeBytes OneMember(const std::string& name, const std::string& text) {
    VolumeBytes volume;
    volume.Package(1);
    volume.Member(name, ZlibStream(text));
    volume.Trailer();
    return volume;
}
} // namespace

class ZipageVolumesTest : public ZipageTest {
protected:
    void SetUp() override {
        ZipageTest::SetUp();
        std::filesystem::create_directories(Host("Staging/Archives"));
        ASSERT_TRUE(Save(OneMember("main.txt", "from main")));
        ASSERT_EQ(0, OpenMain());
    }
    std::vector<VolumeEntry> records = std::vector<VolumeEntry>(9);
};

TEST_F(ZipageVolumesTest, WithoutMultiVolumeEveryIndexReadsTheMainArchive) {
    ASSERT_TRUE(Save(OneMember("two.txt", "from two"), "Setup files/archive2.zkiv"));
    for (int index : {2, 9, -1}) {
        std::filesystem::remove(Host("Out/main.txt"));
        EXPECT_EQ(0, Extract(4, index)) << index;
        EXPECT_EQ("from main", Read("Out/main.txt")) << index;
    }
    EXPECT_FALSE(Exists("Out/two.txt"));
}

TEST_F(ZipageVolumesTest, NumberedVolumeFromTheVolumeFolderThenTheFallback) {
    zip.SetMultiVolume(true);
    ASSERT_TRUE(Save(OneMember("two.txt", "from two"), "Setup files/archive2.zkiv"));
    ASSERT_TRUE(Save(OneMember("three.txt", "from fallback"), "Staging/Archives/archive3.zkiv"));
    zip.SetVolumeFallback(&records, u"C:\\Staging\\Archives");

    EXPECT_EQ(0, Extract(4, 0));
    EXPECT_EQ("from main", Read("Out/main.txt"));
    EXPECT_EQ(0, Extract(4, 2));
    EXPECT_EQ("from two", Read("Out/two.txt"));
    EXPECT_EQ(0, Extract(4, 3));
    EXPECT_EQ("from fallback", Read("Out/three.txt"));

    // A volume stays open once found.
    std::filesystem::remove(Host("Setup files/archive2.zkiv"));
    std::filesystem::remove(Host("Out/two.txt"));
    EXPECT_EQ(0, Extract(4, 2));
    EXPECT_TRUE(Exists("Out/two.txt"));
    zip.CloseVolumes();
    EXPECT_EQ(-1, Extract(4, 2));
}

TEST_F(ZipageVolumesTest, MediaVolumeIsNeverTakenFromTheFallback) {
    zip.SetMultiVolume(true);
    ASSERT_TRUE(Save(OneMember("three.txt", "from fallback"), "Staging/Archives/archive3.zkiv"));
    records[3].media = true;
    zip.SetVolumeFallback(&records, u"C:\\Staging\\Archives");
    EXPECT_EQ(-1, Extract(4, 3));
    EXPECT_FALSE(Exists("Out")); // nothing of the package is written
}

TEST_F(ZipageVolumesTest, MissingBadOrOutOfRangeVolumesFail) {
    zip.SetMultiVolume(true);
    ASSERT_TRUE(Save(OneMember("three.txt", "from fallback"), "Staging/Archives/archive3.zkiv"));
    EXPECT_EQ(-1, Extract(4, 3)); // no fallback yet

    VolumeBytes bad = OneMember("bad.txt", "bad");
    bad.Patch(bad.Size() - 4, 0);
    ASSERT_TRUE(Save(bad, "Setup files/archive4.zkiv"));
    zip.SetVolumeFallback(&records, u"C:\\Staging\\Archives");
    EXPECT_EQ(-1, Extract(4, 4));
    EXPECT_EQ(-1, Extract(4, 9));
    EXPECT_EQ(-1, Extract(4, -1));
    EXPECT_FALSE(Exists("Out"));
    EXPECT_EQ(0, Extract(4, 3));
}

TEST_F(ZipageTest, CancelBeforeAMemberAndDuringOne) {
    // Sixteen chunks: more than the writer's output ring holds, so that a
    // cancel at the first chunk written comes while the member is unfinished.
    const int size = 16 * Zipage::kBufferSize;
    VolumeBytes volume;
    std::uint32_t package = volume.Package(2);
    volume.Member("first.bin", ZlibStream(TextData(size)));
    volume.Member("second.txt", ZlibStream("never"));
    volume.Trailer();
    ASSERT_TRUE(Save(volume));
    ASSERT_EQ(0, OpenMain());

    cancel = 1;
    EXPECT_EQ(0, Extract(package));
    EXPECT_FALSE(Exists("Out/first.bin"));

    // Cancelled once the first chunk is written: the member stays cut, as
    // long as the bytes reported, and recorded; the next member is never
    // made.
    cancel = 0;
    static std::atomic<unsigned char>* flag;
    static long long reported;
    flag = &cancel;
    reported = 0;
    EXPECT_EQ(0, zip.ExtractPackage(
                     u"C:\\Out", static_cast<int>(package),
                     [](int count) {
                         reported += count;
                         flag->store(1);
                     },
                     nullptr, &cancel, &pause, &files, 0));
    const std::size_t written = Read("Out/first.bin").size();
    EXPECT_EQ(static_cast<std::size_t>(reported), written);
    EXPECT_GE(written, static_cast<std::size_t>(Zipage::kBufferSize));
    EXPECT_LT(written, static_cast<std::size_t>(size));
    EXPECT_FALSE(Exists("Out/second.txt"));
    ASSERT_EQ(1, files.GetSize());
    EXPECT_STREQ("C:\\Out\\first.bin", files.GetAt(0));
}

TEST_F(ZipageTest, PauseHoldsTheExtractionUntilCleared) {
    ASSERT_TRUE(Save([] {
        VolumeBytes volume;
        volume.Package(1);
        volume.Member("paused.txt", ZlibStream("later"));
        volume.Trailer();
        return volume;
    }()));
    ASSERT_EQ(0, OpenMain());
    pause = 1;
    int result = 1;
    std::thread worker([&] { result = Extract(4); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(Exists("Out/paused.txt"));
    pause = 0;
    worker.join();
    EXPECT_EQ(0, result);
    EXPECT_EQ("later", Read("Out/paused.txt"));
}
