// The screen display: every top-level window is a window of the host's
// display server, through SDL2. SDL is driven from a display thread of this
// display's own: the window system's calls (made on any thread, under its
// lock) only queue what is to be done and wake that thread, which makes,
// draws and stacks the SDL windows and hands SDL's input events to the
// window system (DeviceInput.h). A headless copy of the screen is kept as
// well, so that a screenshot shows the same pixels as the headless display
// would for the same windows.
#pragma once

#include "platform/ui/DisplayBackend.h"
#include "platform/ui/headless/HeadlessBackend.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

class SdlScreen;

class SdlBackend : public DisplayBackend {
public:
    // Opens the host's display on a new display thread. `scaleSetting` is
    // the machine's scale setting (0: from the display's density, see
    // PixelScale.h). Null, with SDL's reason in *error, when no display can
    // be opened.
    static std::unique_ptr<SdlBackend> Open(int scaleSetting, std::string* error);
    // Closes every window and ends the display thread.
    ~SdlBackend() override;

    void WindowCreated(HWND hwnd, const RECT& rect, const std::u16string& title) override;
    void WindowStyled(HWND hwnd, DWORD style, DWORD exStyle) override;
    void WindowMoved(HWND hwnd, const RECT& rect) override;
    void WindowShown(HWND hwnd, bool visible) override;
    void WindowTitleChanged(HWND hwnd, const std::u16string& title) override;
    void StackingChanged(const std::vector<HWND>& topFirst) override;
    void WindowPixels(HWND hwnd, const RECT& changed, const std::uint32_t* pixels, int width,
                      int height) override;
    void WindowDestroyed(HWND hwnd) override;
    void CursorChanged(int cursorId) override;
    void CompositionPlaced(HWND hwnd, POINT screen, int fontHeight) override;
    bool SaveScreen(const std::string& hostPath) const override;
    int ShowMessageBox(const std::u16string& text, const std::u16string& caption,
                       const std::vector<std::u16string>& buttons, int defaultButton) override;

    // Screen pixels per window pixel, each way.
    int Scale() const { return scale_.load(); }
    // Waits until the display thread has carried out and drawn every change
    // told before the call. Called without the window system's lock (the
    // display thread may need it to hand on input meanwhile).
    void Flush();

private:
    using Command = std::function<void(SdlScreen&)>;

    SdlBackend() = default;
    void Post(Command command);
    void ThreadMain(int scaleSetting, std::promise<std::string> opened);
    void Serve();
    // Carries out the queued commands; false once the display is closing.
    bool RunCommands(SdlScreen& screen, std::uint64_t* batchEnd);

    HeadlessBackend mirror_;
    std::mutex lock_;
    std::condition_variable handledSignal_;
    std::deque<Command> commands_;
    std::uint64_t posted_ = 0;
    std::uint64_t handled_ = 0;
    bool stopping_ = false;
    bool ended_ = false;
    std::atomic<int> scale_{1};
    std::uint32_t wakeEvent_ = 0; // set before Open returns, read-only after
    std::thread thread_;
};
