// Frames of the bitmap file and the cache of loaded bitmaps.
#include "HostFiles.h"
#include "ResourceBytes.h"
#include "TestMachine.h"
#include "toolkit/resources/KIVBitmapCache.h"
#include "toolkit/resources/KIVBitmapFile.h"

#include <gtest/gtest.h>

namespace {

// Appends bitmap id: header, then frames x height rows whose bytes are
// frame * 100 + row.
void AddBitmap(ResourceBytes* file, int id, std::int32_t flags, std::int32_t width,
               std::int32_t height, int frames) {
    file->StartItem(id);
    file->Long(77);
    file->Long(flags);
    file->Long(width);
    file->Long(height);
    const std::uint32_t row = KIVBitmapFile::RowBytes(flags, width);
    for (int f = 0; f < frames; ++f)
        for (int y = 0; y < height; ++y)
            for (std::uint32_t x = 0; x < row; ++x)
                file->Byte(static_cast<std::uint8_t>(f * 100 + y));
}

} // namespace

TEST(KIVBitmapFileTest, RowsAreFourBytesAPixelOrEightBitRoundedToFour) {
    EXPECT_EQ(KIVBitmapFile::RowBytes(0, 3), 12u);
    EXPECT_EQ(KIVBitmapFile::RowBytes(4, 5), 8u);
    EXPECT_EQ(KIVBitmapFile::RowBytes(4 | 1, 8), 8u);
}

TEST(KIVBitmapFileTest, ReadsTheFramesOfAStrip) {
    ResourceBytes file(0, 4);
    AddBitmap(&file, 2, 4, 5, 3, 2);
    KIVBitmapFrame frame;
    ASSERT_TRUE(KIVBitmapFile::ReadFrame(file.Source(), 2, 1, &frame));
    EXPECT_EQ(frame.value, 77);
    EXPECT_TRUE(frame.IsEightBit());
    EXPECT_EQ(frame.width, 5);
    EXPECT_EQ(frame.height, 3);
    ASSERT_EQ(frame.pixels.size(), 24u);
    EXPECT_EQ(frame.pixels[0], 100);
    EXPECT_EQ(frame.pixels[23], 102);
    EXPECT_FALSE(KIVBitmapFile::ReadFrame(file.Source(), 2, 2, &frame)); // only two frames
    EXPECT_FALSE(KIVBitmapFile::ReadFrame(file.Source(), 2, -1, &frame));
    EXPECT_FALSE(KIVBitmapFile::ReadFrame(file.Source(), 1, 0, &frame));
}

TEST(KIVBitmapFileTest, DamagedHeadersReadAsMissing) {
    for (auto [width, height] :
         {std::pair{0, 3}, {-2, 3}, {3, -1}, {0x40000000, 0x40000000}, {16385, 1}, {100, 100}}) {
        ResourceBytes file(0, 1);
        AddBitmap(&file, 0, 0, 2, 2, 1);
        file.Put(260 + 8, width);
        file.Put(260 + 12, height);
        KIVBitmapFrame frame;
        EXPECT_FALSE(KIVBitmapFile::ReadFrame(file.Source(), 0, 0, &frame))
            << width << "x" << height;
    }
    ResourceBytes cut(0, 1);
    AddBitmap(&cut, 0, 0, 2, 2, 1);
    cut.bytes.pop_back();
    KIVBitmapFrame frame;
    EXPECT_FALSE(KIVBitmapFile::ReadFrame(cut.Source(), 0, 0, &frame));
}

class KIVBitmapCacheTest : public MachineTest {
protected:
    void SetUp() override {
        ResourceBytes file(0, 302);
        for (int id = 0; id < 302; ++id)
            AddBitmap(&file, id, 4, 4, 1, 2);
        WriteHostFile(machine.DriveC("Setup.erb"),
                      std::string(file.bytes.begin(), file.bytes.end()));
        cache.SetFile("C:\\Setup.erb");
    }
    bool Get(LONG id, LONG frame = 0) {
        KIVBitmapFrame copy;
        return cache.GetBitmap(id, frame, &copy);
    }
    KIVBitmapCache cache;
};

TEST_F(KIVBitmapCacheTest, HoldsAtMostThreeHundredAndFreesTheOldestStampFirst) {
    for (LONG id = 0; id < 300; ++id)
        ASSERT_TRUE(Get(id));
    EXPECT_EQ(cache.Count(), 300u);
    ASSERT_TRUE(Get(0, 1)); // a lookup stamps bitmap 0 anew: bitmap 1 is now the oldest
    ASSERT_TRUE(Get(300));
    EXPECT_EQ(cache.Count(), 300u);
    EXPECT_TRUE(cache.Holds(0));
    EXPECT_FALSE(cache.Holds(1));
    EXPECT_TRUE(cache.Holds(300));
    ASSERT_TRUE(Get(301));
    EXPECT_FALSE(cache.Holds(2));
}

TEST_F(KIVBitmapCacheTest, GivesCopiesAndKeepsNothingForMissingBitmaps) {
    KIVBitmapFrame first;
    ASSERT_TRUE(cache.GetBitmap(5, 1, &first));
    first.pixels[0] = 0xEE;
    KIVBitmapFrame again;
    ASSERT_TRUE(cache.GetBitmap(5, 1, &again));
    EXPECT_EQ(again.pixels[0], 100);
    EXPECT_FALSE(Get(301, 2)); // past the last frame of the file
    EXPECT_FALSE(Get(400));
    EXPECT_FALSE(cache.Holds(400));
}

TEST_F(KIVBitmapCacheTest, AnotherFileEmptiesTheCache) {
    ASSERT_TRUE(Get(5));
    cache.SetFile("C:\\Setup.erb");
    EXPECT_TRUE(cache.Holds(5));
    cache.SetFile("C:\\Other.erb");
    EXPECT_EQ(cache.Count(), 0u);
    EXPECT_FALSE(Get(5));
}
