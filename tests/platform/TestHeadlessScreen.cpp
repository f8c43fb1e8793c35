#include "UiFixture.h"
#include "platform/ui/headless/PngFile.h"

#include <filesystem>

namespace {

MachineSettings SmallScreen() {
    MachineSettings settings;
    settings.screenWidth = 64;
    settings.screenHeight = 48;
    return settings;
}

class HeadlessScreen : public UiTest {
protected:
    HeadlessScreen() : UiTest(SmallScreen()) {}

    // Copies a solid block of BGRA colour into a window through a DIB.
    static void Fill(HWND hwnd, int x, int y, int width, int height, std::uint32_t colour) {
        std::vector<std::uint32_t> bits(static_cast<std::size_t>(width) * height, colour);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        HDC hdc = GetDC(hwnd);
        EXPECT_EQ(SetDIBitsToDevice(hdc, x, y, width, height, 0, 0, 0, height, bits.data(), &info,
                                    DIB_RGB_COLORS),
                  height);
        ReleaseDC(hwnd, hdc);
    }

    static void Block(std::vector<std::uint32_t>& image, int left, int top, int right, int bottom,
                      std::uint32_t colour) {
        for (int y = std::max(top, 0); y < std::min(bottom, 48); ++y)
            for (int x = std::max(left, 0); x < std::min(right, 64); ++x)
                image[static_cast<std::size_t>(y) * 64 + x] = colour;
    }
};

TEST_F(HeadlessScreen, SavedScreenShowsVisibleWindowsInStackingOrder) {
    HWND back = Make(4, 4, 30, 20, WS_POPUP | WS_VISIBLE);
    HWND front = Make(20, 10, 30, 20, WS_POPUP | WS_VISIBLE);
    HWND hidden = Make(0, 30, 64, 18, WS_POPUP);
    HWND child = Make(2, 2, 6, 4, WS_CHILD | WS_VISIBLE, front);
    HWND offscreen = Make(58, 40, 20, 20, WS_POPUP | WS_VISIBLE);
    Fill(back, 0, 0, 30, 20, 0x000000FF);  // blue
    Fill(front, 0, 0, 30, 20, 0x0000FF00); // green
    Fill(hidden, 0, 0, 64, 18, 0x00FFFFFF);
    Fill(child, -2, -2, 20, 20, 0x00FF0000); // red, cut at the child's edges
    Fill(offscreen, 0, 0, 20, 20, 0x00FFFF00);
    SetActiveWindow(back); // brings it to the top

    const std::string path = machine.Root() + "/screen.png";
    ASSERT_TRUE(display->SaveScreen(path));
    std::vector<std::uint32_t> pixels;
    int width = 0, height = 0;
    ASSERT_TRUE(ReadPng(path, &pixels, &width, &height));
    ASSERT_EQ(width, 64);
    ASSERT_EQ(height, 48);

    std::vector<std::uint32_t> expected(64 * 48, HeadlessBackend::kDesktopColour);
    Block(expected, 20, 10, 50, 30, 0x0000FF00);
    Block(expected, 22, 12, 28, 16, 0x00FF0000);
    Block(expected, 58, 40, 78, 60, 0x00FFFF00);
    Block(expected, 4, 4, 34, 24, 0x000000FF);
    for (int i = 0; i < 64 * 48; ++i)
        ASSERT_EQ(pixels[i], expected[i]) << "x " << i % 64 << " y " << i / 64;
}

TEST_F(HeadlessScreen, BottomUpBitmapsAreTurnedAndThePaintRectangleClips) {
    HWND hwnd = Make(0, 0, 8, 8, WS_POPUP | WS_VISIBLE);
    Fill(hwnd, 0, 0, 8, 8, 0);
    // Two rows, bottom row first in memory: red at the bottom, blue on top.
    std::uint32_t bits[2 * 2] = {0x00FF0000, 0x00FF0000, 0x000000FF, 0x000000FF};
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 2, 2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        DispatchMessageW(&msg);
    RECT part{0, 0, 1, 8};
    InvalidateRect(hwnd, &part, FALSE);
    PAINTSTRUCT paint;
    HDC hdc = BeginPaint(hwnd, &paint);
    SetDIBitsToDevice(hdc, 0, 0, 2, 2, 0, 0, 0, 2, bits, &info, DIB_RGB_COLORS);
    EndPaint(hwnd, &paint);
    int width = 0, height = 0;
    std::vector<std::uint32_t> screen = display->ComposeScreen(&width, &height);
    EXPECT_EQ(screen[0], 0x000000FFu);  // top row: blue
    EXPECT_EQ(screen[64], 0x00FF0000u); // second row: red
    EXPECT_EQ(screen[1], 0u);           // outside the paint rectangle
    info.bmiHeader.biBitCount = 24;
    hdc = GetDC(hwnd);
    EXPECT_EQ(SetDIBitsToDevice(hdc, 0, 0, 2, 2, 0, 0, 0, 2, bits, &info, DIB_RGB_COLORS), 0);
    ReleaseDC(hwnd, hdc);
}

TEST_F(HeadlessScreen, TitleMovesAndResizesReachTheDisplay) {
    HWND hwnd = Make(0, 0, 10, 10, WS_POPUP | WS_VISIBLE);
    SetWindowTextA(hwnd, "Setup");
    EXPECT_EQ(display->Title(hwnd), u"Setup");
    Fill(hwnd, 0, 0, 10, 10, 0x00123456);
    MoveWindow(hwnd, 40, 30, 12, 12, TRUE);
    int width = 0, height = 0;
    std::vector<std::uint32_t> screen = display->ComposeScreen(&width, &height);
    EXPECT_EQ(screen[30 * 64 + 40], 0x00123456u); // kept from before the resize
    EXPECT_EQ(screen[41 * 64 + 51], 0x00FFFFFFu); // the new part is white
    EXPECT_EQ(screen[0], HeadlessBackend::kDesktopColour);
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 12);
    POINT point{45, 35};
    ScreenToClient(hwnd, &point);
    EXPECT_EQ(point.x, 5);
}

// A top-level window never outgrows the screen and its frames, however
// large a size it is given; a child may.
TEST_F(HeadlessScreen, TopLevelWindowsAreNoLargerThanTheScreenAndItsFrames) {
    HWND hwnd = Make(0, 0, 1000000, 1000000, WS_POPUP);
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXMAXTRACK));
    EXPECT_EQ(rect.bottom, 48 + 12);
    SetWindowPos(hwnd, nullptr, 0, 0, 70000, 20, SWP_NOMOVE);
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect.right, 64 + 12);
    EXPECT_EQ(rect.bottom, 20);
    HWND child = Make(0, 0, 5000, 10, WS_CHILD, hwnd);
    GetClientRect(child, &rect);
    EXPECT_EQ(rect.right, 5000);
}

} // namespace
