// kivhello, the toolkit's greeting window, run as a program on the headless
// display: it ends by itself once its screenshot is saved, and the picture
// shows the window centred over the desktop with a row of text per language.
#include "HostFiles.h"
#include "TestMachine.h"
#include "platform/ui/headless/PngFile.h"

#include <cstdlib>
#include <filesystem>

namespace {

// Pixels in a band of rows that are neither the window's paper nor the desktop.
int InkIn(const std::vector<std::uint32_t>& pixels, int width, int top, int bottom) {
    int ink = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = pixels[static_cast<std::size_t>(y * width + x)] & 0xFFFFFF;
            ink += pixel != 0xF4F1EC && pixel != 0x008080 && pixel != 0xD8D2C8;
        }
    return ink;
}

} // namespace

TEST(KivhelloTest, GreetsInTheFourLanguagesOnTheHeadlessScreen) {
    TestMachine machine;
    const std::string shot = machine.Root() + "/hello.png";
    const std::string command = "KIV_MACHINE='" + machine.Root() + "' KIV_DISPLAY=headless " +
                                KIVHELLO_PATH + " --screenshot '" + shot + "' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::vector<std::uint32_t> pixels;
    int width = 0, height = 0;
    ASSERT_TRUE(ReadPng(shot, &pixels, &width, &height));
    ASSERT_EQ(width, 1024);
    ASSERT_EQ(height, 768);
    // The window is 560 wide and centred; its paper shows at its corner.
    const int left = (1024 - 560) / 2;
    const std::uint32_t corner = pixels[static_cast<std::size_t>(300 * width + left + 2)];
    EXPECT_EQ(corner & 0xFFFFFF, 0xF4F1ECu);
    EXPECT_EQ(pixels[static_cast<std::size_t>(300 * width + left - 2)] & 0xFFFFFF, 0x008080u);
    // Four rows of 70 pixels below an 8-pixel margin, each with its own ink.
    const int top = (768 - (4 * 70 + 16)) / 2 + 8;
    for (int row = 0; row < 4; ++row)
        EXPECT_GT(InkIn(pixels, width, top + row * 70 + 4, top + row * 70 + 66), 300) << row;
}
