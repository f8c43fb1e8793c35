#include "UiFixture.h"
#include "platform/mfc/AfxWin.h"
#include "platform/ui/headless/PngFile.h"
#include "platform/ui/script/ControlLookup.h"
#include "platform/ui/script/IdleScript.h"
#include "platform/ui/script/ScriptPlayer.h"

#include <fstream>

namespace {

MachineSettings SmallScreen() {
    MachineSettings settings;
    settings.screenWidth = 64;
    settings.screenHeight = 48;
    return settings;
}

// A dialog-like window titled "Setup" (identifier 300) at (10, 8), 40 x 30,
// with a child control #5 at (4, 4), 10 x 6, reading "OK".
class ScriptPlayback : public UiTest {
protected:
    ScriptPlayback() : UiTest(SmallScreen()) {
        top = CreateWindowExW(0, u"KivRecorder", u"Setup", WS_POPUP, 10, 8, 40, 30, nullptr,
                              reinterpret_cast<HMENU>(300), nullptr, nullptr);
        child = CreateWindowExW(0, u"KivRecorder", u"OK", WS_CHILD | WS_VISIBLE, 4, 4, 10, 6, top,
                                reinterpret_cast<HMENU>(5), nullptr, nullptr);
        windows = {child, top};
        ShowWindow(top, SW_SHOW);
        SetFocus(top);
        Drain();
        ReceivedMessages().clear();
    }
    ~ScriptPlayback() override { SetControlLookup(nullptr); }

    // Dispatches whatever waits, as a message loop would between steps.
    static void Drain() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    // Plays the script to its end or its failure, draining messages
    // between the steps.
    ScriptPlayer::Outcome Play(const std::string& text, std::string* message) {
        std::vector<ScriptStep> steps;
        EXPECT_TRUE(ParseInputScript(text, "s.kvs", &steps, message)) << *message;
        ScriptPlayer player(std::move(steps), "s.kvs");
        for (;;) {
            Drain();
            const ScriptPlayer::Outcome outcome = player.Step(message);
            if (outcome == ScriptPlayer::Outcome::Finished ||
                outcome == ScriptPlayer::Outcome::Failed)
                return outcome;
            if (outcome == ScriptPlayer::Outcome::Waiting)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    static std::u16string Chars(HWND hwnd) {
        std::u16string chars;
        for (const Received& received : ReceivedOf(WM_CHAR))
            if (received.hwnd == hwnd)
                chars += static_cast<char16_t>(received.wParam);
        return chars;
    }

    HWND top = nullptr;
    HWND child = nullptr;
};

TEST_F(ScriptPlayback, WaitsTypesPressesClicksAndChecks) {
    std::string message;
    ASSERT_EQ(Play("wait-window Setup 100\n"
                   "wait-window #300 100\n"
                   "type h\xC3\xA9\n"
                   "key Shift+X Enter\n"
                   "click #5\n"
                   "click 49 8\n"
                   "expect-text #5 OK\n",
                   &message),
              ScriptPlayer::Outcome::Finished)
        << message;
    EXPECT_EQ(Chars(top), u"h\u00E9X\r");
    const auto downs = ReceivedOf(WM_LBUTTONDOWN);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].hwnd, child);
    EXPECT_EQ(downs[0].lParam, MAKELPARAM(5, 3)); // the control's centre
    EXPECT_EQ(downs[1].hwnd, top);
    EXPECT_EQ(downs[1].lParam, MAKELPARAM(39, 0));
    EXPECT_EQ(ReceivedOf(WM_LBUTTONUP).size(), 2u);
}

TEST_F(ScriptPlayback, AWaitThatTimesOutFailsWithFileLineAndWhatIsThere) {
    std::string message;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Play("sleep 1\nwait-window Finish 60\ntype never\n", &message),
              ScriptPlayer::Outcome::Failed);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(60));
    EXPECT_EQ(message,
              "s.kvs:2: no window \"Finish\" after 60 ms; the active window is \"Setup\" #300");
    EXPECT_TRUE(Chars(top).empty());
}

TEST_F(ScriptPlayback, WrongTextAndMissingControlsFail) {
    std::string message;
    EXPECT_EQ(Play("expect-text #5 Cancel\n", &message), ScriptPlayer::Outcome::Failed);
    EXPECT_EQ(message, "s.kvs:1: control #5 reads \"OK\", not \"Cancel\"");
    EXPECT_EQ(Play("click #6\n", &message), ScriptPlayer::Outcome::Failed);
    EXPECT_EQ(message, "s.kvs:1: no control #6; the active window is \"Setup\" #300");
}

// The toolkit's lookup answers for controls that are not windows.
TEST_F(ScriptPlayback, TheRegisteredLookupFindsDrawnControls) {
    SetControlLookup([](HWND, int id, ScriptControl* control) {
        if (id != 40)
            return false;
        control->screen = RECT{20, 20, 30, 24};
        control->text = u"Next >";
        return true;
    });
    std::string message;
    ASSERT_EQ(Play("expect-text #40 Next >\nclick #40\nexpect-text #5 OK\n", &message),
              ScriptPlayer::Outcome::Finished)
        << message;
    const auto downs = ReceivedOf(WM_LBUTTONDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].lParam, MAKELPARAM(25 - 10, 22 - 8));
}

TEST_F(ScriptPlayback, TheScreenshotIsTheComposedScreen) {
    std::vector<std::uint32_t> red(40 * 30, 0x00FF0000);
    BITMAPINFO info{};
    info.bmiHeader =
        BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 40, -30, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC hdc = GetDC(top);
    SetDIBitsToDevice(hdc, 0, 0, 40, 30, 0, 0, 0, 30, red.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(top, hdc);
    const std::string path = machine.Root() + "/shot.png";
    std::string message;
    ASSERT_EQ(Play("screenshot " + path + "\n", &message), ScriptPlayer::Outcome::Finished)
        << message;
    std::vector<std::uint32_t> pixels;
    int width = 0, height = 0;
    ASSERT_TRUE(ReadPng(path, &pixels, &width, &height));
    ASSERT_EQ(width, 64);
    ASSERT_EQ(height, 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool inside = x >= 10 && x < 50 && y >= 8 && y < 38;
            ASSERT_EQ(pixels[y * 64 + x], inside ? 0x00FF0000u : HeadlessBackend::kDesktopColour)
                << x << "," << y;
        }
    EXPECT_EQ(Play("screenshot /nonexistent/shot.png\n", &message), ScriptPlayer::Outcome::Failed);
    EXPECT_EQ(message, "s.kvs:1: cannot write /nonexistent/shot.png");
}

// Quits on Escape, so that a scripted run of the application can end.
LRESULT QuitOnEscape(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE)
        PostQuitMessage(4);
    ReceivedMessages().push_back(Received{hwnd, message, wParam, lParam});
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

class ScriptedRun : public ScriptPlayback {
protected:
    std::string Script(const std::string& text) {
        const std::string path = machine.Root() + "/run.kvs";
        std::ofstream(path) << text;
        return path;
    }
    ~ScriptedRun() override {
        std::string error;
        StartInputScript("", &error);
    }
};

TEST_F(ScriptedRun, TheApplicationsLoopPlaysTheScriptWhenIdle) {
    SetWindowLongPtrW(top, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&QuitOnEscape));
    CWinApp app("Scripted");
    ASSERT_TRUE(AfxWinInit(nullptr, nullptr, nullptr, 0));
    std::string error;
    ASSERT_TRUE(
        StartInputScript(Script("sleep 20\nwait-window Setup\ntype ok\nkey Escape\n"), &error))
        << error;
    EXPECT_EQ(app.Run(), 4);
    EXPECT_EQ(Chars(top), u"ok\x1B"); // Escape makes its character too
}

TEST_F(ScriptedRun, AFailedRunEndsTheProcessWithItsStatus) {
    std::string error;
    ASSERT_TRUE(StartInputScript(Script("# waits for nothing\nwait-window Done 0\n"), &error));
    EXPECT_EXIT(PlayScriptWhenIdle(), testing::ExitedWithCode(kScriptFailureStatus),
                "input script failed: .*run.kvs:2: no window \"Done\" after 0 ms");
    EXPECT_FALSE(StartInputScript(Script("wait-window\n"), &error));
    EXPECT_EQ(error, machine.Root() + "/run.kvs:1: wait-window needs a title or #ID");
}

} // namespace
