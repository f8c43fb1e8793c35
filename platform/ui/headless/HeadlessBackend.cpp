#include "platform/ui/headless/HeadlessBackend.h"

#include "platform/ui/headless/PngFile.h"

#include <algorithm>

void HeadlessBackend::WindowCreated(HWND hwnd, const RECT& rect, const std::u16string& title) {
    std::lock_guard<std::mutex> guard(lock_);
    Surface& surface = surfaces_[hwnd];
    surface.rect = rect;
    surface.title = title;
}

void HeadlessBackend::WindowMoved(HWND hwnd, const RECT& rect) {
    std::lock_guard<std::mutex> guard(lock_);
    surfaces_[hwnd].rect = rect;
}

void HeadlessBackend::WindowShown(HWND hwnd, bool visible) {
    std::lock_guard<std::mutex> guard(lock_);
    surfaces_[hwnd].visible = visible;
}

void HeadlessBackend::WindowTitleChanged(HWND hwnd, const std::u16string& title) {
    std::lock_guard<std::mutex> guard(lock_);
    surfaces_[hwnd].title = title;
}

void HeadlessBackend::StackingChanged(const std::vector<HWND>& topFirst) {
    std::lock_guard<std::mutex> guard(lock_);
    topFirst_ = topFirst;
}

// Keeps a copy of the whole image: the window system may change its own
// pixels at any time after the call.
void HeadlessBackend::WindowPixels(HWND hwnd, const RECT&, const std::uint32_t* pixels, int width,
                                   int height) {
    std::lock_guard<std::mutex> guard(lock_);
    surfaces_[hwnd].pixels.assign(pixels, pixels + static_cast<std::size_t>(width) * height);
}

void HeadlessBackend::WindowDestroyed(HWND hwnd) {
    std::lock_guard<std::mutex> guard(lock_);
    surfaces_.erase(hwnd);
    topFirst_.erase(std::remove(topFirst_.begin(), topFirst_.end(), hwnd), topFirst_.end());
}

void HeadlessBackend::CursorChanged(int cursorId) {
    std::lock_guard<std::mutex> guard(lock_);
    cursor_ = cursorId;
}

void HeadlessBackend::CompositionPlaced(HWND, POINT screen, int) {
    std::lock_guard<std::mutex> guard(lock_);
    composition_ = screen;
}

std::u16string HeadlessBackend::Title(HWND hwnd) const {
    std::lock_guard<std::mutex> guard(lock_);
    auto found = surfaces_.find(hwnd);
    return found == surfaces_.end() ? std::u16string() : found->second.title;
}

int HeadlessBackend::Cursor() const {
    std::lock_guard<std::mutex> guard(lock_);
    return cursor_;
}

POINT HeadlessBackend::CompositionPoint() const {
    std::lock_guard<std::mutex> guard(lock_);
    return composition_;
}
