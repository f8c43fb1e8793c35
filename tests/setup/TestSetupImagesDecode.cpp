// Decoding one setup picture: the fitted size, the buffer's layout (B, G, R,
// bottom-up), nearest-neighbour reduction, and damaged or hostile files,
// which either decode as far as they go with one message or count as
// missing.
#include "JpegFiles.h"
#include "TestMachine.h"
#include "platform/ui/DisplayBackend.h"
#include "platform/ui/MessageBoxLog.h"
#include "platform/ui/headless/HeadlessBackend.h"
#include "setup/FitImageSize.h"
#include "setup/LoadJpegFitted.h"
#include "toolkit/KIVString.h"

#include "platform/Windows.h"

namespace {

class JpegDecodeTest : public MachineTest {
protected:
    JpegDecodeTest() {
        SetDisplayBackend(std::make_unique<HeadlessBackend>());
        MessageBoxLog::Clear();
    }
    std::filesystem::path Host(const std::string& name) { return machine.DriveC("Jpegs/" + name); }
    // Loads C:\Jpegs\<name> into the maximum; keeps the fitted size.
    bool Load(const std::string& name, int maxWidth, int maxHeight) {
        width = maxWidth;
        height = maxHeight;
        const KIVString path = KIVString(u"C:\\Jpegs\\") + KIVString(name.c_str());
        return LoadJpegFitted(path, &buffer, &height, &width);
    }
    Rgb At(int x, int y) const { return PixelAt(buffer, width, height, x, y); }

    std::vector<unsigned char> buffer;
    int width = 0, height = 0;
};

} // namespace

TEST(FitImageSize, KeepsFitsOrFollowsTheSideThatExceedsMost) {
    struct Case {
        SIZE image, maximum, fitted;
    };
    const Case cases[] = {
        {{113, 353}, {113, 353}, {113, 353}},  // exactly the maximum
        {{226, 706}, {113, 353}, {113, 353}},  // halved
        {{100, 300}, {113, 353}, {100, 300}},  // smaller stays
        {{200, 353}, {113, 353}, {113, 199}},  // only the width exceeds
        {{100, 500}, {113, 353}, {70, 353}},   // only the height exceeds
        {{300, 1000}, {113, 353}, {105, 353}}, // both; the height by more pixels
        {{1000, 400}, {113, 353}, {113, 45}},  // both; the width by more pixels
        {{213, 453}, {113, 353}, {113, 353}},  // a tie goes to the height, then the limit
        {{8000, 1}, {113, 353}, {113, 1}},     // never below one pixel
    };
    for (const Case& c : cases) {
        const SIZE fitted = FitImageSize(c.image, c.maximum);
        EXPECT_EQ(fitted.cx, c.fitted.cx) << c.image.cx << " x " << c.image.cy;
        EXPECT_EQ(fitted.cy, c.fitted.cy) << c.image.cx << " x " << c.image.cy;
    }
}

TEST_F(JpegDecodeTest, APictureWithinTheMaximumIsStoredBottomUpAsBlueGreenRed) {
    WriteJpeg(Host("q.jpg"), 16, 16, Quadrants(16, 16));
    ASSERT_TRUE(Load("q.jpg", 113, 353));
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);
    ASSERT_EQ(buffer.size(), 16u * 16u * 3u);
    EXPECT_TRUE(Near(At(0, 0), kRed));
    EXPECT_TRUE(Near(At(15, 0), kGreen));
    EXPECT_TRUE(Near(At(0, 15), kBlue));
    EXPECT_TRUE(Near(At(15, 15), kWhite));
    // The buffer's first row is the picture's bottom row, blue byte first.
    EXPECT_GT(buffer[0], 250);
    EXPECT_LT(buffer[2], 5);
    EXPECT_TRUE(MessageBoxLog::Shown().empty());
}

// Quadrant edges on JPEG block edges (112 and 352) come back exactly; the
// halved picture has them at 56 and 176.
TEST_F(JpegDecodeTest, ALargerPictureIsReducedByNearestNeighbour) {
    WriteJpeg(Host("big.jpg"), 224, 704, Quadrants(224, 704));
    ASSERT_TRUE(Load("big.jpg", 112, 352));
    EXPECT_EQ(width, 112);
    EXPECT_EQ(height, 352);
    EXPECT_TRUE(Near(At(55, 175), kRed));
    EXPECT_TRUE(Near(At(56, 175), kGreen));
    EXPECT_TRUE(Near(At(55, 176), kBlue));
    EXPECT_TRUE(Near(At(56, 176), kWhite));
    EXPECT_TRUE(Near(At(111, 351), kWhite));
}

// 30 x 11 into 10 x 10: fitted to 10 x 3 with a scale of 11 / 3, which
// samples 8 columns; the two columns it does not reach stay black.
TEST_F(JpegDecodeTest, WhatTheReducedPictureDoesNotCoverStaysBlack) {
    WriteJpeg(Host("wide.jpg"), 30, 11, Flat(kWhite));
    ASSERT_TRUE(Load("wide.jpg", 10, 10));
    EXPECT_EQ(width, 10);
    EXPECT_EQ(height, 3);
    EXPECT_TRUE(Near(At(0, 2), kWhite));
    EXPECT_TRUE(Near(At(7, 2), kWhite));
    EXPECT_EQ(At(8, 2), kBlack);
    EXPECT_EQ(At(9, 2), kBlack);
}

TEST_F(JpegDecodeTest, AGreyscaleFileDecodesAsGreyColour) {
    WriteJpeg(Host("grey.jpg"), 8, 8, Flat({128, 128, 128}), 1);
    ASSERT_TRUE(Load("grey.jpg", 8, 8));
    EXPECT_TRUE(Near(At(3, 3), Rgb{128, 128, 128}));
}

// A file cut in the middle of its scan: the decoder warns once (premature end) in a box
// titled "Talvic" and the picture is decoded as far as it goes.
TEST_F(JpegDecodeTest, ATruncatedFileDecodesWithOneMessage) {
    WriteJpeg(Host("whole.jpg"), 64, 64, Quadrants(64, 64));
    const std::string bytes = ReadHostFile(Host("whole.jpg"));
    const std::size_t scan = bytes.find("\xFF\xDA");
    ASSERT_NE(scan, std::string::npos);
    WriteHostFile(Host("cut.jpg"), bytes.substr(0, scan + (bytes.size() - scan) / 2));
    ASSERT_TRUE(Load("cut.jpg", 113, 353));
    EXPECT_EQ(width, 64);
    EXPECT_TRUE(Near(At(0, 0), kRed));
    const std::vector<ShownMessageBox> shown = MessageBoxLog::Shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, u"Talvic");
    EXPECT_EQ(shown[0].type, MB_ICONERROR);
    EXPECT_FALSE(shown[0].text.empty());
}

// Fatal decoder errors and refused sizes leave through the error exit or
// the size check: no picture, no message, the caller's values untouched.
TEST_F(JpegDecodeTest, UnreadableFilesAndRefusedSizesCountAsMissing) {
    WriteHostFile(Host("text.jpg"), "this is no picture at all");
    WriteJpeg(Host("header.jpg"), 8, 8, Flat(kRed));
    WriteJpeg(Host("wide.jpg"), 9000, 1, Flat(kRed));
    std::string header = ReadHostFile(Host("header.jpg"));
    const std::size_t frame = header.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    std::string zeroHeight = header, tallHeight = header, zeroWidth = header;
    zeroHeight.replace(frame + 5, 2, std::string("\0\0", 2));
    tallHeight.replace(frame + 5, 2, "\x23\x28"); // 9000
    zeroWidth.replace(frame + 7, 2, std::string("\0\0", 2));
    WriteHostFile(Host("zero-height.jpg"), zeroHeight);
    WriteHostFile(Host("tall.jpg"), tallHeight);
    WriteHostFile(Host("zero-width.jpg"), zeroWidth);
    WriteHostFile(Host("empty.jpg"), "");

    for (const char* name : {"text.jpg", "zero-height.jpg", "zero-width.jpg", "tall.jpg",
                             "wide.jpg", "empty.jpg", "absent.jpg"}) {
        buffer.assign(5, 7);
        EXPECT_FALSE(Load(name, 113, 353)) << name;
        EXPECT_EQ(width, 113) << name;
        EXPECT_EQ(height, 353) << name;
        EXPECT_EQ(buffer, std::vector<unsigned char>(5, 7)) << name;
    }
    EXPECT_TRUE(MessageBoxLog::Shown().empty());
}
