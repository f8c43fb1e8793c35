// A setup picture made from its pair: the composed pixels (the mask's blue
// byte as transparency, rows turned top-down), the pair's files (mask
// missing, larger or of another shape), and the picture drawn over a
// background.
#include "JpegFiles.h"
#include "TestMachine.h"
#include "setup/ComposeImage.h"
#include "setup/LoadImageAt.h"
#include "setup/LoadImagePair.h"
#include "setup/LoadImagePicture.h"

namespace {

// The composed picture's pixel (x, y) from the top: B, G, R, transparency.
std::array<int, 4> Composed(const KIVBitmapFrame& picture, int x, int y) {
    const std::size_t i = 4 * (static_cast<std::size_t>(y) * picture.width + x);
    return {picture.pixels[i], picture.pixels[i + 1], picture.pixels[i + 2], picture.pixels[i + 3]};
}

class ImagePairTest : public MachineTest {
protected:
    std::filesystem::path Host(const std::string& name) { return machine.DriveC("Jpegs/" + name); }

    std::vector<unsigned char> colour, mask;
    int width = 0, height = 0;
};

} // namespace

// Two rows of two pixels, bottom row first as decoded. The mask's blue byte
// alone decides: 255 - blue.
TEST(ComposeImage, TheMaskBlueByteBecomesTransparencyAndRowsTurnTopDown) {
    const std::vector<unsigned char> colour = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const std::vector<unsigned char> mask = {255, 0, 0, 0, 255, 255, 10, 200, 200, 90, 90, 90};
    const KIVBitmapFrame picture = ComposeImage(colour, mask, 2, 2);
    EXPECT_EQ(picture.width, 2);
    EXPECT_EQ(picture.height, 2);
    EXPECT_EQ(picture.flags, 0) << "a 32-bit picture";
    ASSERT_EQ(picture.pixels.size(), 16u);
    EXPECT_EQ(Composed(picture, 0, 0), (std::array<int, 4>{7, 8, 9, 245}));
    EXPECT_EQ(Composed(picture, 1, 0), (std::array<int, 4>{10, 11, 12, 165}));
    EXPECT_EQ(Composed(picture, 0, 1), (std::array<int, 4>{1, 2, 3, 0}));
    EXPECT_EQ(Composed(picture, 1, 1), (std::array<int, 4>{4, 5, 6, 255}));

    const KIVBitmapFrame unmasked = ComposeImage(colour, {}, 2, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(Composed(unmasked, x, y)[3], 0);
}

TEST_F(ImagePairTest, WithoutAMaskThePictureIsOpaque) {
    WriteJpeg(Host("logo_rgb.jpg"), 20, 10, Flat(kBlue));
    width = 150;
    height = 62;
    ASSERT_TRUE(LoadImagePair(u"C:\\Jpegs\\logo", &width, &height, &colour, &mask));
    EXPECT_EQ(width, 20);
    EXPECT_EQ(height, 10);
    EXPECT_TRUE(mask.empty());
    width = 150;
    height = 62;
    const auto picture = LoadImagePicture(u"C:\\Jpegs\\logo", &width, &height);
    ASSERT_TRUE(picture);
    EXPECT_EQ(Composed(*picture, 19, 9)[3], 0);
    EXPECT_GT(Composed(*picture, 19, 9)[0], 250);
}

TEST_F(ImagePairTest, AMissingColourFileIsNoPictureEvenWithAMask) {
    WriteJpeg(Host("logo_alp.jpg"), 20, 10, Flat(kWhite));
    width = 150;
    height = 62;
    EXPECT_FALSE(LoadImagePair(u"C:\\Jpegs\\logo", &width, &height, &colour, &mask));
    EXPECT_FALSE(LoadImagePicture(u"C:\\Jpegs\\logo", &width, &height));
    EXPECT_EQ(width, 150);
    EXPECT_EQ(height, 62);
}

// The colour is fitted from 300 x 124 to 150 x 62; a 600 x 248 mask, left
// half white and right half black, is fitted to the same size.
TEST_F(ImagePairTest, ALargerMaskIsFittedToTheColourPicture) {
    WriteJpeg(Host("kiv_rgb.jpg"), 300, 124, Flat(kRed));
    WriteJpeg(Host("kiv_alp.jpg"), 600, 248, [](int x, int) { return x < 300 ? kWhite : kBlack; });
    width = 150;
    height = 62;
    const auto picture = LoadImagePicture(u"C:\\Jpegs\\kiv", &width, &height);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 150);
    EXPECT_EQ(picture->height, 62);
    EXPECT_LT(Composed(*picture, 10, 30)[3], 5) << "white: visible";
    EXPECT_GT(Composed(*picture, 140, 30)[3], 250) << "black: transparent";
}

// A 32 x 16 mask over a 32 x 32 colour covers its top half; the bottom half,
// which the mask does not reach, stays visible.
TEST_F(ImagePairTest, AMaskOfAnotherShapeCoversTheTopLeftAndLeavesTheRestVisible) {
    WriteJpeg(Host("p_rgb.jpg"), 32, 32, Flat(kGreen));
    WriteJpeg(Host("p_alp.jpg"), 32, 16, Flat(kBlack), 1);
    width = 113;
    height = 353;
    ASSERT_TRUE(LoadImagePair(u"C:\\Jpegs\\p", &width, &height, &colour, &mask));
    ASSERT_EQ(mask.size(), colour.size());
    const KIVBitmapFrame picture = ComposeImage(colour, mask, width, height);
    EXPECT_GT(Composed(picture, 5, 5)[3], 250);
    EXPECT_GT(Composed(picture, 5, 15)[3], 250);
    EXPECT_EQ(Composed(picture, 5, 16)[3], 0);
    EXPECT_EQ(Composed(picture, 31, 31)[3], 0);
}

// Drawn over a grey background: where the mask is white the picture shows,
// where it is black the background stays, nothing outside the picture moves.
TEST_F(ImagePairTest, APictureIsDrawnWithItsMaskOverTheBackground) {
    WriteJpeg(Host("m_rgb.jpg"), 16, 8, Flat(kRed));
    WriteJpeg(
        Host("m_alp.jpg"), 16, 8, [](int x, int) { return x < 8 ? kWhite : kBlack; }, 1);
    std::vector<DWORD> pixels(40 * 20, 0x808080);
    const KIVDrawBuffer background{pixels.data(), 40, 20, 40, RECT{0, 0, 40, 20}};
    width = 800;
    height = 800;
    ASSERT_TRUE(LoadImageAt(background, u"C:\\Jpegs\\m", 10, 5, &width, &height));
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 8);
    const auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y * 40 + x)]; };
    EXPECT_GT((at(11, 6) >> 16) & 0xFF, 250u);
    EXPECT_LT(at(11, 6) & 0xFF, 5u);
    EXPECT_EQ(at(24, 6), 0x808080u);
    EXPECT_EQ(at(9, 6), 0x808080u);
    EXPECT_EQ(at(11, 13), 0x808080u);
    EXPECT_FALSE(LoadImageAt(background, u"C:\\Jpegs\\none", 0, 0, &width, &height));
}
