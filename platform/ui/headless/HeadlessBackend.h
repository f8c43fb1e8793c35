// The headless display: top-level windows live in memory on a desktop of the
// machine's screen size. Nothing is shown; the whole screen, every visible
// window in stacking order over a plain desktop colour, can be composed and
// saved as a PNG file. Input comes from whoever drives it (tests, scripted
// runs) through DeviceInput.h, as a screen display would deliver it.
#pragma once

#include "platform/ui/DisplayBackend.h"

#include <map>
#include <mutex>

class HeadlessBackend : public DisplayBackend {
public:
    // The desktop's colour, 0x00RRGGBB as a BGRA pixel reads.
    static constexpr std::uint32_t kDesktopColour = 0x00008080;

    void WindowCreated(HWND hwnd, const RECT& rect, const std::u16string& title) override;
    void WindowMoved(HWND hwnd, const RECT& rect) override;
    void WindowShown(HWND hwnd, bool visible) override;
    void WindowTitleChanged(HWND hwnd, const std::u16string& title) override;
    void StackingChanged(const std::vector<HWND>& topFirst) override;
    void WindowPixels(HWND hwnd, const RECT& changed, const std::uint32_t* pixels, int width,
                      int height) override;
    void WindowDestroyed(HWND hwnd) override;
    void CursorChanged(int cursorId) override;
    void CompositionPlaced(HWND hwnd, POINT screen, int fontHeight) override;

    // The screen as BGRA pixels, rows top down, width x height of the
    // machine's screen: the desktop colour, then each visible window from
    // the bottom of the stack up, cut at the screen's edges.
    std::vector<std::uint32_t> ComposeScreen(int* width, int* height) const;
    // ComposeScreen written as an 8-bit RGB PNG; false when the file cannot
    // be written.
    bool SaveScreen(const std::string& hostPath) const override;

    // What the display was last told, for tests.
    std::u16string Title(HWND hwnd) const;
    int Cursor() const;
    POINT CompositionPoint() const;

private:
    struct Surface {
        RECT rect{};
        bool visible = false;
        std::u16string title;
        std::vector<std::uint32_t> pixels; // width x height of rect
    };

    mutable std::mutex lock_;
    std::map<HWND, Surface> surfaces_;
    std::vector<HWND> topFirst_;
    int cursor_ = 0;
    POINT composition_{};
};
