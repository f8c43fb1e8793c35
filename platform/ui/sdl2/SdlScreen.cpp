#include "platform/ui/sdl2/SdlScreen.h"

#include "platform/HostText.h"
#include "platform/ui/sdl2/PixelScale.h"

#include <algorithm>

namespace {

SDL_SystemCursor SystemCursor(int cursorId) {
    switch (cursorId) {
    case 32513:
        return SDL_SYSTEM_CURSOR_IBEAM;
    case 32514:
        return SDL_SYSTEM_CURSOR_WAIT;
    case 32515:
        return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case 32642:
        return SDL_SYSTEM_CURSOR_SIZENWSE;
    case 32643:
        return SDL_SYSTEM_CURSOR_SIZENESW;
    case 32644:
        return SDL_SYSTEM_CURSOR_SIZEWE;
    case 32645:
        return SDL_SYSTEM_CURSOR_SIZENS;
    case 32646:
        return SDL_SYSTEM_CURSOR_SIZEALL;
    case 32648:
        return SDL_SYSTEM_CURSOR_NO;
    case 32649:
        return SDL_SYSTEM_CURSOR_HAND;
    case 32650:
        return SDL_SYSTEM_CURSOR_WAITARROW;
    default:
        return SDL_SYSTEM_CURSOR_ARROW;
    }
}

} // namespace

SdlScreen::~SdlScreen() {
    for (auto& [hwnd, window] : windows_)
        Close(window);
    for (auto& [id, cursor] : cursors_)
        sdl.SDL_FreeCursor(cursor);
}

void SdlScreen::Created(HWND hwnd, const RECT& rect, const std::u16string& title) {
    Window& window = windows_[hwnd];
    window.rect = rect;
    window.title = HostText::FromWide(title.c_str());
}

// Pop-ups without a caption have no frame of the host's either; the
// toolkit draws the whole window.
void SdlScreen::Styled(HWND hwnd, DWORD style) {
    windows_[hwnd].borderless = (style & WS_CAPTION) != WS_CAPTION;
}

void SdlScreen::Moved(HWND hwnd, const RECT& rect) {
    Window& window = windows_[hwnd];
    window.rect = rect;
    if (!window.window)
        return;
    sdl.SDL_SetWindowPosition(window.window, rect.left * scale_, rect.top * scale_);
    int width = 0, height = 0;
    sdl.SDL_GetWindowSize(window.window, &width, &height);
    if (width != (rect.right - rect.left) * scale_ || height != (rect.bottom - rect.top) * scale_)
        sdl.SDL_SetWindowSize(window.window, (rect.right - rect.left) * scale_,
                              (rect.bottom - rect.top) * scale_);
    // Resizing raises the window on X11: the order is made anew.
    raised_.clear();
    window.dirty = true;
}

void SdlScreen::Shown(HWND hwnd, bool visible) {
    Window& window = windows_[hwnd];
    window.visible = visible;
    if (visible && !window.window && !Open(window))
        return;
    if (!window.window)
        return;
    if (visible)
        sdl.SDL_ShowWindow(window.window);
    else
        sdl.SDL_HideWindow(window.window);
    window.dirty = visible;
}

void SdlScreen::Titled(HWND hwnd, const std::u16string& title) {
    Window& window = windows_[hwnd];
    window.title = HostText::FromWide(title.c_str());
    if (window.window)
        sdl.SDL_SetWindowTitle(window.window, window.title.c_str());
}

void SdlScreen::Stacked(const std::vector<HWND>& topFirst) {
    topFirst_ = topFirst;
}

void SdlScreen::Pixels(HWND hwnd, const RECT& changed, const std::vector<std::uint32_t>& part,
                       int width, int height) {
    Window& window = windows_[hwnd];
    if (window.width != width || window.height != height) {
        window.image.assign(static_cast<std::size_t>(width) * height, 0x00FFFFFF);
        window.width = width;
        window.height = height;
        window.textureFits = false;
    }
    const int partWidth = static_cast<int>(changed.right - changed.left);
    for (int y = changed.top; y < changed.bottom; ++y)
        std::copy_n(part.data() + static_cast<std::size_t>(y - changed.top) * partWidth, partWidth,
                    window.image.data() + static_cast<std::size_t>(y) * width + changed.left);
    window.dirty = true;
    if (!window.window || !window.textureFits)
        return;
    const SDL_Rect area{static_cast<int>(changed.left), static_cast<int>(changed.top), partWidth,
                        static_cast<int>(changed.bottom - changed.top)};
    if (area.w > 0 && area.h > 0)
        sdl.SDL_UpdateTexture(window.texture, &area, part.data(),
                              area.w * static_cast<int>(sizeof(std::uint32_t)));
}

void SdlScreen::Destroyed(HWND hwnd) {
    auto found = windows_.find(hwnd);
    if (found == windows_.end())
        return;
    Close(found->second);
    windows_.erase(found);
    std::erase(topFirst_, hwnd);
    // The window below takes the keyboard the closed one may have had.
    focusDue_ = raised_.empty() ? nullptr : raised_.back();
}

void SdlScreen::Cursor(int cursorId) {
    if (!cursorId) {
        sdl.SDL_ShowCursor(SDL_DISABLE);
        return;
    }
    SDL_Cursor*& cursor = cursors_[cursorId];
    if (!cursor)
        cursor = sdl.SDL_CreateSystemCursor(SystemCursor(cursorId));
    if (cursor)
        sdl.SDL_SetCursor(cursor);
    sdl.SDL_ShowCursor(SDL_ENABLE);
}

// SDL places the input method's window relative to the window that has the
// keyboard, in that window's (scaled) pixels.
void SdlScreen::Composition(HWND hwnd, POINT screen, int fontHeight) {
    auto found = windows_.find(hwnd);
    if (found == windows_.end())
        return;
    SDL_Rect place{static_cast<int>(screen.x - found->second.rect.left) * scale_,
                   static_cast<int>(screen.y - found->second.rect.top) * scale_, scale_,
                   (fontHeight > 0 ? fontHeight : 16) * scale_};
    sdl.SDL_SetTextInputRect(&place);
}

void SdlScreen::Present() {
    Restack();
    GiveFocus();
    for (auto& [hwnd, window] : windows_) {
        if (!window.dirty || !window.visible || !window.window || !MakeTexture(window))
            continue;
        window.dirty = false;
        const SDL_Rect whole{0, 0, window.width * scale_, window.height * scale_};
        sdl.SDL_RenderClear(window.renderer);
        sdl.SDL_RenderCopy(window.renderer, window.texture, nullptr, &whole);
        sdl.SDL_RenderPresent(window.renderer);
    }
}

void SdlScreen::Exposed(Uint32 windowId) {
    for (auto& [hwnd, window] : windows_)
        if (window.window && sdl.SDL_GetWindowID(window.window) == windowId)
            window.dirty = true;
}

bool SdlScreen::ScreenPoint(Uint32 windowId, int x, int y, POINT* screen) const {
    for (const auto& [hwnd, window] : windows_) {
        if (!window.window || sdl.SDL_GetWindowID(window.window) != windowId)
            continue;
        *screen =
            POINT{window.rect.left + ScaleDown(x, scale_), window.rect.top + ScaleDown(y, scale_)};
        return true;
    }
    return false;
}

bool SdlScreen::Open(Window& window) {
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (window.borderless)
        flags |= SDL_WINDOW_BORDERLESS;
    window.window = sdl.SDL_CreateWindow(
        window.title.c_str(), window.rect.left * scale_, window.rect.top * scale_,
        std::max<int>(window.rect.right - window.rect.left, 1) * scale_,
        std::max<int>(window.rect.bottom - window.rect.top, 1) * scale_, flags);
    if (window.window)
        window.renderer = sdl.SDL_CreateRenderer(window.window, -1, 0);
    if (!window.renderer) {
        Close(window);
        return false;
    }
    sdl.SDL_SetRenderDrawColor(window.renderer, 0xFF, 0xFF, 0xFF, 0xFF);
    return true;
}

void SdlScreen::Close(Window& window) {
    std::erase(raised_, window.window);
    if (focusDue_ == window.window)
        focusDue_ = nullptr;
    if (window.texture)
        sdl.SDL_DestroyTexture(window.texture);
    if (window.renderer)
        sdl.SDL_DestroyRenderer(window.renderer);
    if (window.window)
        sdl.SDL_DestroyWindow(window.window);
    window.texture = nullptr;
    window.renderer = nullptr;
    window.window = nullptr;
    window.textureFits = false;
}

// The pixels' fourth byte is unused: RGB888 is the little-endian BGRA layout
// with the top byte ignored, and nothing blends.
bool SdlScreen::MakeTexture(Window& window) {
    if (window.textureFits)
        return true;
    if (window.texture)
        sdl.SDL_DestroyTexture(window.texture);
    window.texture = nullptr;
    if (window.width <= 0 || window.height <= 0)
        return false;
    window.texture =
        sdl.SDL_CreateTexture(window.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                              window.width, window.height);
    if (!window.texture)
        return false;
    sdl.SDL_SetTextureBlendMode(window.texture, SDL_BLENDMODE_NONE);
    sdl.SDL_UpdateTexture(window.texture, nullptr, window.image.data(),
                          window.width * static_cast<int>(sizeof(std::uint32_t)));
    window.textureFits = true;
    return true;
}

// Raising each shown window from the bottom up leaves them in the window
// system's order; it is done only when that order changed.
void SdlScreen::Restack() {
    std::vector<SDL_Window*> order;
    for (auto hwnd = topFirst_.rbegin(); hwnd != topFirst_.rend(); ++hwnd)
        if (auto found = windows_.find(*hwnd);
            found != windows_.end() && found->second.visible && found->second.window)
            order.push_back(found->second.window);
    if (order == raised_)
        return;
    for (SDL_Window* window : order)
        sdl.SDL_RaiseWindow(window);
    raised_ = order;
    focusDue_ = order.empty() ? nullptr : order.back();
}

// SDL gives the keyboard only to a window that is mapped; until then it is
// tried again at each presentation.
void SdlScreen::GiveFocus() {
    if (focusDue_ && sdl.SDL_SetWindowInputFocus(focusDue_) == 0)
        focusDue_ = nullptr;
}
