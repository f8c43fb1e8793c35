// The screen display's windows on the display thread: one SDL window per
// shown top-level window, its pixels in a streaming texture drawn at the
// scale (PixelScale.h), the stacking order, the cursor and the input
// method's place. Every call is made on the display thread (SdlBackend.h).
// Internal to the SDL display.
#pragma once

#include "platform/WinUser.h"

#include "platform/ui/sdl2/SdlLibrary.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class SdlScreen {
public:
    explicit SdlScreen(int scale) : scale_(scale) {}
    ~SdlScreen();
    SdlScreen(const SdlScreen&) = delete;
    SdlScreen& operator=(const SdlScreen&) = delete;

    void Created(HWND hwnd, const RECT& rect, const std::u16string& title);
    void Styled(HWND hwnd, DWORD style);
    void Moved(HWND hwnd, const RECT& rect);
    void Shown(HWND hwnd, bool visible);
    void Titled(HWND hwnd, const std::u16string& title);
    void Stacked(const std::vector<HWND>& topFirst);
    // `part` holds the pixels of `changed` (window coordinates) of a window
    // image of width x height.
    void Pixels(HWND hwnd, const RECT& changed, const std::vector<std::uint32_t>& part, int width,
                int height);
    void Destroyed(HWND hwnd);
    void Cursor(int cursorId);
    void Composition(HWND hwnd, POINT screen, int fontHeight);

    // Draws the windows whose pixels changed or that were exposed, and
    // raises the shown windows when their order changed.
    void Present();
    // A window was exposed and must be drawn again.
    void Exposed(Uint32 windowId);
    // The screen point of a point in an SDL window; false for a window that
    // is none of ours.
    bool ScreenPoint(Uint32 windowId, int x, int y, POINT* screen) const;
    int Scale() const { return scale_; }

private:
    struct Window {
        RECT rect{};
        std::string title; // UTF-8
        bool borderless = true;
        bool visible = false;
        bool dirty = false;
        SDL_Window* window = nullptr;
        SDL_Renderer* renderer = nullptr;
        SDL_Texture* texture = nullptr;
        // The whole window image as the window system last sent it, for a
        // texture made anew (on showing, after a resize).
        std::vector<std::uint32_t> image;
        int width = 0;
        int height = 0;
        bool textureFits = false;
    };

    bool Open(Window& window);
    void Close(Window& window);
    bool MakeTexture(Window& window);
    void Restack();
    void GiveFocus();

    int scale_;
    std::map<HWND, Window> windows_;
    std::vector<HWND> topFirst_;
    std::vector<SDL_Window*> raised_; // the shown windows as last raised, bottom first
    // The top window after a change of order, until the X server has it on
    // the screen and it takes the keyboard: without a window manager
    // nobody else gives it back when the window that had it goes away.
    SDL_Window* focusDue_ = nullptr;
    std::map<int, SDL_Cursor*> cursors_;
};
