// The display behind the window system: where top-level windows appear and
// where device input comes from. Two kinds exist: a headless display that
// keeps windows in memory (headless/HeadlessBackend.h) and a display on a
// real screen. The window system drives it through the calls below; the
// display hands device events back through DeviceInput.h.
//
// The window calls concern top-level windows only (children draw into their
// top-level window's pixels) and are made with the window system's lock
// held: a display must not call any window function from them, nor
// DeviceInput. Rectangles are in screen coordinates unless said otherwise;
// titles are UTF-16; pixels are 32-bit BGRA (blue in the lowest byte), rows
// top down, the fourth byte unused.
#pragma once

#include "platform/WinUser.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class DisplayBackend {
public:
    virtual ~DisplayBackend() = default;

    // A top-level window exists, hidden, at rect.
    virtual void WindowCreated(HWND hwnd, const RECT& rect, const std::u16string& title) = 0;
    // The window's style (WS_ and WS_EX_ bits), told once, right after
    // WindowCreated: a screen display frames captioned windows.
    virtual void WindowStyled(HWND, DWORD /*style*/, DWORD /*exStyle*/) {}
    // Moved or resized. After a resize the window's pixels are sent anew.
    virtual void WindowMoved(HWND hwnd, const RECT& rect) = 0;
    virtual void WindowShown(HWND hwnd, bool visible) = 0;
    virtual void WindowTitleChanged(HWND hwnd, const std::u16string& title) = 0;
    // Every top-level window, the topmost first, after any change of order.
    virtual void StackingChanged(const std::vector<HWND>& topFirst) = 0;
    // New pixels for the part `changed` (window coordinates) of the window,
    // whose whole image is `pixels` (width x height).
    virtual void WindowPixels(HWND hwnd, const RECT& changed, const std::uint32_t* pixels,
                              int width, int height) = 0;
    virtual void WindowDestroyed(HWND hwnd) = 0;
    // The mouse cursor to show: a system cursor identifier (32512 for the
    // arrow, see IDC_ in WinUser.h), or 0 for none.
    virtual void CursorChanged(int cursorId) = 0;
    // Where the input method's composition window goes: a screen point and
    // the text height the program asked for (0: the display's choice).
    virtual void CompositionPlaced(HWND hwnd, POINT screen, int fontHeight) = 0;

    // The whole screen as the windows make it (the headless display's
    // ComposeScreen: every visible window in stacking order over the
    // desktop) written as a PNG file; false when it cannot be written.
    virtual bool SaveScreen(const std::string& hostPath) const = 0;

    // Shows a message box and waits for the user's answer: the index of the
    // button pressed among `buttons` (their labels, left to right), with
    // `defaultButton` chosen by Enter. -1 when this display shows none (the
    // headless one). Called without the window system's lock.
    virtual int ShowMessageBox(const std::u16string& text, const std::u16string& caption,
                               const std::vector<std::u16string>& buttons, int defaultButton) {
        (void)text, (void)caption, (void)buttons, (void)defaultButton;
        return -1;
    }

    // Called without the lock by any thread that waits for messages, at
    // least every PumpInterval() milliseconds while it waits. A display that
    // has to poll for its events does it here (checking that the caller is
    // the thread it must poll on) and delivers them through DeviceInput.
    virtual void PumpEvents() {}
    // 0: the display delivers its events by itself and needs no pumping.
    virtual int PumpInterval() const { return 0; }
};

// The display in use, made on first use by CreateDisplayBackend.
DisplayBackend& Display();
// The display's SaveScreen, under the window system's lock: what programs
// and scripts call to keep a picture of the screen.
bool SaveScreenshot(const std::string& hostPath);
// The display's ShowMessageBox (taken under the lock, called after it).
int ShowDisplayMessageBox(const std::u16string& text, const std::u16string& caption,
                          const std::vector<std::u16string>& buttons, int defaultButton);
// Replaces the display (tests use their own headless one). Windows that
// exist are not announced to the new display.
void SetDisplayBackend(std::unique_ptr<DisplayBackend> backend);

// Unknown: KIV_DISPLAY holds a name that is no display's.
enum class DisplayKind { Headless, Sdl2, Unknown };
// The choice made at start: KIV_DISPLAY "headless" or "sdl2" decides; when
// it is unset or empty, a screen display is taken when the host has a
// display server (DISPLAY or WAYLAND_DISPLAY set), else headless.
DisplayKind ChooseDisplayKind(const char* kivDisplay, bool hostHasDisplay);
// Makes the display of ChooseDisplayKind for this process's environment. A
// KIV_DISPLAY that is Unknown is said on stderr and taken as unset. When
// the display is headless, *headlessWhy (when given) says why, for a
// program that needs a person at a screen: KIV_DISPLAY chose it, the host
// has no display server, or the screen display could not be opened (said
// on stderr instead when headlessWhy is null).
std::unique_ptr<DisplayBackend> CreateDisplayBackend(std::string* headlessWhy = nullptr);
