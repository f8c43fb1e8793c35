// The shared drawing: everything stays inside the clip rectangle, pictures
// blend by their transparency and a factor, and faded colours truncate.
#include "toolkit/drawing/KIVLook.h"
#include "toolkit/drawing/KIVPainter.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

constexpr DWORD kGround = 0x00102030;

class PainterTest : public ::testing::Test {
protected:
    PainterTest() : pixels(10 * 6, kGround) {
        buffer = KIVDrawBuffer{pixels.data(), 10, 6, 10, RECT{0, 0, 10, 6}};
    }
    DWORD At(int x, int y) const { return pixels[y * 10 + x]; }
    std::vector<DWORD> pixels;
    KIVDrawBuffer buffer;
};

// A 2 x 1 frame: an opaque pixel and a half-transparent one.
KIVBitmapFrame TwoPixels() {
    KIVBitmapFrame frame;
    frame.width = 2;
    frame.height = 1;
    frame.pixels = {0xFF, 0xFF, 0xFF, 0, 0xFF, 0xFF, 0xFF, 128};
    return frame;
}

} // namespace

TEST_F(PainterTest, FillsAndFramesStayInsideTheClipAndTheBuffer) {
    buffer.clip = RECT{2, 1, 8, 5};
    KIVPainter::FillRect(buffer, RECT{-5, -5, 20, 20}, 0x00AABBCC);
    EXPECT_EQ(At(1, 1), kGround);
    EXPECT_EQ(At(2, 1), 0x00AABBCCu);
    EXPECT_EQ(At(7, 4), 0x00AABBCCu);
    EXPECT_EQ(At(8, 4), kGround);
    EXPECT_EQ(At(7, 5), kGround);
    KIVPainter::FrameRect(buffer, RECT{3, 2, 6, 5}, 0);
    EXPECT_EQ(At(3, 2), 0u);
    EXPECT_EQ(At(5, 4), 0u);
    EXPECT_EQ(At(4, 3), 0x00AABBCCu);                           // the inside is left
    KIVPainter::FillRect(buffer, RECT{6, 3, 4, 1}, 0x00111111); // inverted: nothing
    EXPECT_EQ(At(5, 2), 0u);
}

TEST_F(PainterTest, PicturesBlendByTheirTransparencyAndTheFactor) {
    const KIVBitmapFrame frame = TwoPixels();
    KIVPainter::DrawFrame(buffer, frame, 0, 0);
    EXPECT_EQ(At(0, 0), 0x00FFFFFFu);
    const DWORD half = At(1, 0);
    EXPECT_GT(half & 0xFF, 0x80u);
    EXPECT_LT(half & 0xFF, 0xA0u);
    KIVPainter::DrawFrame(buffer, frame, 0, 1, KIVLook::kDisabledFactor);
    EXPECT_EQ(At(0, 1) & 0xFF, static_cast<DWORD>((0xFF * 102 + 0x30 * 153) >> 8));
    // Partly outside the buffer: the part inside is drawn, nothing else.
    KIVPainter::DrawFrame(buffer, frame, 9, 5);
    EXPECT_EQ(At(9, 5), 0x00FFFFFFu);
    KIVPainter::DrawFrame(buffer, frame, -1, 3);
    EXPECT_EQ(At(0, 3) & 0xFF, half & 0xFF);
}

// Every transparency t with every picture level, over backgrounds that
// vary: t = 0 gives the picture, t = 255 the background, and between them
// each channel is (background x t + picture x (255 - t)) / 256, rounded down.
TEST(PainterBlend, EveryTransparencyBlendsByTheFormula) {
    KIVBitmapFrame frame;
    frame.width = 256;
    frame.height = 256;
    frame.pixels.resize(256 * 256 * 4);
    // Picture level p along x, transparency t down y; the background's
    // channels run their own ways, so each pair meets several grounds.
    auto picture = [](int p, int t) {
        return static_cast<DWORD>(p | (255 - p) << 8 | ((p * 37 + t) & 0xFF) << 16);
    };
    auto ground = [](int x, int y) {
        return static_cast<DWORD>(((x * 7 + y) & 0xFF) | ((x + 3 * y) & 0xFF) << 8 |
                                  (((255 - x) ^ y) & 0xFF) << 16);
    };
    std::vector<DWORD> pixels(256 * 256);
    for (int t = 0; t < 256; ++t)
        for (int p = 0; p < 256; ++p) {
            const DWORD colour = picture(p, t);
            BYTE* at = &frame.pixels[4 * (t * 256 + p)];
            at[0] = colour & 0xFF;
            at[1] = (colour >> 8) & 0xFF;
            at[2] = (colour >> 16) & 0xFF;
            at[3] = static_cast<BYTE>(t);
            pixels[t * 256 + p] = ground(p, t);
        }
    const KIVDrawBuffer buffer{pixels.data(), 256, 256, 256, RECT{0, 0, 256, 256}};
    KIVPainter::DrawFrame(buffer, frame, 0, 0);
    int wrong = 0;
    for (int t = 0; t < 256; ++t)
        for (int p = 0; p < 256; ++p)
            for (int shift = 0; shift < 24; shift += 8) {
                const unsigned pic = (picture(p, t) >> shift) & 0xFF;
                const unsigned bg = (ground(p, t) >> shift) & 0xFF;
                const unsigned expected = t == 0     ? pic
                                          : t == 255 ? bg
                                                     : (bg * t + pic * (255 - t)) / 256;
                const unsigned got = (pixels[t * 256 + p] >> shift) & 0xFF;
                if (got != expected && wrong++ == 0)
                    ADD_FAILURE() << "t " << t << " picture " << pic << " ground " << bg << ": "
                                  << got << " instead of " << expected;
            }
    EXPECT_EQ(wrong, 0);
}

TEST(PainterFade, FadedColoursTruncateEachProduct) {
    // Text at 0.4 on its background: the disabled list's (181, 183, 200).
    EXPECT_EQ(KIVPainter::Fade(0x005A5F7D, 0x00F2F3FA, 0.4f), 0x00B5B7C8u);
    EXPECT_EQ(KIVPainter::Fade(0x00123456, 0x00FFFFFF, 1.0f), 0x00123456u);
}

// A 3 x 3 frame whose blue bytes count 1 to 9, drawn over 7 x 4 pixels with
// one-pixel corners: corners once, edges and middle repeated.
TEST_F(PainterTest, ASlicedFrameRepeatsItsEdgesAndMiddleInsideTheClip) {
    KIVBitmapFrame frame;
    frame.width = 3;
    frame.height = 3;
    for (BYTE blue = 1; blue <= 9; ++blue)
        frame.pixels.insert(frame.pixels.end(), {blue, 0, 0, 0});
    KIVPainter::DrawSlicedFrame(buffer, frame, RECT{1, 1, 8, 5}, 1);
    const int expected[4][7] = {
        {1, 2, 2, 2, 2, 2, 3}, {4, 5, 5, 5, 5, 5, 6}, {4, 5, 5, 5, 5, 5, 6}, {7, 8, 8, 8, 8, 8, 9}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(At(1 + x, 1 + y), static_cast<DWORD>(expected[y][x])) << x << "," << y;
    EXPECT_EQ(At(0, 0), kGround);
    EXPECT_EQ(At(8, 1), kGround);
    EXPECT_EQ(At(1, 5), kGround);

    std::fill(pixels.begin(), pixels.end(), kGround);
    buffer.clip = RECT{0, 0, 4, 6};
    KIVPainter::DrawSlicedFrame(buffer, frame, RECT{1, 1, 8, 5}, 1);
    EXPECT_EQ(At(3, 2), 5u);
    EXPECT_EQ(At(4, 2), kGround);
}

// A control far larger than the buffer (a layout may say anything): the
// focus line is solid where it falls inside, and the extreme coordinates
// neither wrap nor take long.
TEST_F(PainterTest, TheFocusLineOfAHugeRectangleIsSolidInsideTheBuffer) {
    KIVPainter::FocusRect(buffer, RECT{-7, 0, INT_MAX, 6});
    // Left edge at x = -5 and right edge far away: the top row at y = 2 is
    // accent throughout (and the bottom edge at y = 3), the rows around not.
    for (int x : {0, 1, 2, 9})
        EXPECT_EQ(At(x, 2), KIVLook::kAccent) << x;
    EXPECT_EQ(At(2, 1), kGround);
    EXPECT_EQ(At(2, 4), kGround);
    std::vector<DWORD> before = pixels;
    KIVPainter::FocusRect(buffer, RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    KIVPainter::FocusRect(buffer, RECT{INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX});
    EXPECT_EQ(pixels, before);
}
