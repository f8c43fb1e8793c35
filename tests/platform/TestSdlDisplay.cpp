// The screen display in a real X server: the same windows drawn by the SDL
// display and by the headless one give the same pixels, each window pixel a
// scale x scale block, read back from the X server itself. Without an X
// server of its own to use (KIV_TEST_X_SERVER=1 with DISPLAY set) the test
// runs itself again under xvfb-run; without that either, it is skipped.
#include "UiFixture.h"
#include "platform/ui/headless/PngFile.h"
#include "platform/ui/sdl2/SdlBackend.h"

#include "XScreen.h"

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kScale = 2;
constexpr auto kPatience = std::chrono::seconds(5);

bool OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "";
    for (std::size_t start = 0; start <= folders.size();) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        if (access((folders.substr(start, end - start) + "/" + program).c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

// This test alone, again, in a fresh virtual X server of 24-bit colour.
int RunUnderXvfb() {
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string filter = testing::UnitTest::GetInstance()->current_test_info()->name();
    // From "/": an earlier test may have left the process in a folder since removed.
    const std::string command =
        "cd / && LSAN_OPTIONS=suppressions=" KIV_TEST_DATA
        "/lsan-screen.supp KIV_TEST_X_SERVER=1 xvfb-run -a -s '-screen 0 640x480x24' '" +
        self + "' --gtest_filter='SdlDisplay." + filter + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

MachineSettings SmallScreen() {
    MachineSettings settings;
    settings.screenWidth = 64;
    settings.screenHeight = 48;
    settings.scale = kScale;
    return settings;
}

class SdlDisplay : public UiTest {
protected:
    SdlDisplay() : UiTest(SmallScreen()) {}

    // False (after skipping or running the test elsewhere) when this
    // process has no X server to use.
    bool OpenScreen() {
        const char* display = std::getenv("DISPLAY");
        const bool haveDisplay = display && *display;
        const char* ours = std::getenv("KIV_TEST_X_SERVER");
        if (!(ours && haveDisplay) && OnPath("xvfb-run")) {
            EXPECT_EQ(RunUnderXvfb(), 0) << "the test failed under xvfb-run";
            return false;
        }
        if (!haveDisplay)
            return false;
        setenv("SDL_VIDEODRIVER", "x11", 1);
        x11 = XScreen::Open();
        if (!x11 || x11->Depth() < 24)
            return false;
        std::string error;
        std::unique_ptr<SdlBackend> backend =
            SdlBackend::Open(Machine::Current().Settings().scale, &error);
        EXPECT_TRUE(backend) << error;
        if (!backend)
            return false;
        sdl = backend.get();
        SetDisplayBackend(std::move(backend));
        return true;
    }

    static void Fill(HWND hwnd, int x, int y, int width, int height, std::uint32_t colour) {
        std::vector<std::uint32_t> bits(static_cast<std::size_t>(width) * height, colour);
        BITMAPINFO info{};
        info.bmiHeader = BITMAPINFOHEADER{
            sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        HDC hdc = GetDC(hwnd);
        SetDIBitsToDevice(hdc, x, y, width, height, 0, 0, 0, height, bits.data(), &info,
                          DIB_RGB_COLORS);
        ReleaseDC(hwnd, hdc);
    }

    // The first window pixel inside `windowRects` whose block on the X
    // screen differs from the headless screen's pixel; "" when none does.
    std::string Difference(const std::vector<RECT>& windowRects) {
        const std::string path = machine.Root() + "/headless.png";
        std::vector<std::uint32_t> expected;
        int width = 0, height = 0;
        if (!sdl->SaveScreen(path) || !ReadPng(path, &expected, &width, &height))
            return "no headless screen";
        const std::vector<std::uint32_t> seen = x11->Read(width * kScale, height * kScale);
        for (const RECT& rect : windowRects)
            for (int y = rect.top; y < rect.bottom; ++y)
                for (int x = rect.left; x < rect.right; ++x)
                    for (int block = 0; block < kScale * kScale; ++block) {
                        const int sx = x * kScale + block % kScale,
                                  sy = y * kScale + block / kScale;
                        const std::uint32_t pixel = seen[sy * width * kScale + sx];
                        if (pixel != expected[y * width + x])
                            return "window pixel " + std::to_string(x) + "," + std::to_string(y) +
                                   " shows " + std::to_string(pixel) + ", not " +
                                   std::to_string(expected[y * width + x]);
                    }
        return "";
    }

    // Waits for the X server to show what the headless screen shows.
    std::string SameAsHeadless(const std::vector<RECT>& windowRects) {
        sdl->Flush();
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        std::string difference = Difference(windowRects);
        while (!difference.empty() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            difference = Difference(windowRects);
        }
        return difference;
    }

    std::unique_ptr<XScreen> x11;
    SdlBackend* sdl = nullptr;
};

#define OPEN_SCREEN_OR_RETURN()                                                                    \
    do {                                                                                           \
        const bool haveXvfb = OnPath("xvfb-run");                                                  \
        if (!OpenScreen()) {                                                                       \
            if (!haveXvfb && !std::getenv("DISPLAY"))                                              \
                GTEST_SKIP() << "no X server: DISPLAY is unset and xvfb-run is missing";           \
            if (x11 && x11->Depth() < 24)                                                          \
                GTEST_SKIP() << "the X server's colour depth is under 24 bits";                    \
            return;                                                                                \
        }                                                                                          \
    } while (0)

TEST_F(SdlDisplay, WindowsShowTheHeadlessPixelsEnlargedByTheScale) {
    OPEN_SCREEN_OR_RETURN();
    ASSERT_EQ(sdl->Scale(), kScale);
    HWND back = Make(4, 4, 30, 20, WS_POPUP | WS_VISIBLE);
    HWND front = Make(20, 10, 30, 20, WS_POPUP | WS_VISIBLE);
    HWND child = Make(2, 2, 6, 4, WS_CHILD | WS_VISIBLE, front);
    Fill(back, 0, 0, 30, 20, 0x000000FF);
    Fill(front, 0, 0, 30, 20, 0x0000FF00);
    Fill(child, 0, 0, 6, 4, 0x00FF0000);
    Fill(front, 10, 10, 3, 2, 0x00123456); // a part of a window changed alone
    EXPECT_EQ(SameAsHeadless({{4, 4, 34, 24}, {20, 10, 50, 30}}), "");

    SetActiveWindow(back); // to the top: its pixels now cover the other's
    MoveWindow(front, 30, 20, 30, 20, TRUE);
    Fill(front, 0, 0, 30, 20, 0x00808000);
    EXPECT_EQ(SameAsHeadless({{4, 4, 34, 24}, {30, 20, 60, 40}}), "");
}

TEST_F(SdlDisplay, PointerPointsAreDividedBackByTheScale) {
    OPEN_SCREEN_OR_RETURN();
    HWND hwnd = Make(10, 6, 30, 20, WS_POPUP | WS_VISIBLE);
    Fill(hwnd, 0, 0, 30, 20, 0x00FFFFFF);
    sdl->Flush();
    x11->MovePointer(25 * kScale + 1, 16 * kScale + 1);
    MSG msg{};
    bool moved = false;
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!moved && std::chrono::steady_clock::now() < deadline)
        moved = Next(&msg, WM_MOUSEMOVE, WM_MOUSEMOVE) && msg.hwnd == hwnd;
    ASSERT_TRUE(moved);
    EXPECT_EQ(msg.lParam, MAKELPARAM(15, 10));
}

} // namespace
