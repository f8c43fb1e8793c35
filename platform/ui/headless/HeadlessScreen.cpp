// The headless screen: every visible window in stacking order over the
// desktop, and its PNG file.
#include "platform/ui/headless/HeadlessBackend.h"

#include "platform/ui/headless/PngFile.h"

#include <algorithm>

std::vector<std::uint32_t> HeadlessBackend::ComposeScreen(int* width, int* height) const {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    std::vector<std::uint32_t> screen(static_cast<std::size_t>(screenWidth) * screenHeight,
                                      kDesktopColour);
    std::lock_guard<std::mutex> guard(lock_);
    for (auto window = topFirst_.rbegin(); window != topFirst_.rend(); ++window) {
        auto found = surfaces_.find(*window);
        if (found == surfaces_.end() || !found->second.visible)
            continue;
        const Surface& surface = found->second;
        const int surfaceWidth = surface.rect.right - surface.rect.left;
        const int surfaceHeight = surface.rect.bottom - surface.rect.top;
        if (surface.pixels.size() != static_cast<std::size_t>(surfaceWidth) * surfaceHeight)
            continue; // sized anew, its pixels not sent yet
        const int left = std::max<int>(surface.rect.left, 0);
        const int right = std::min<int>(surface.rect.right, screenWidth);
        for (int y = std::max<int>(surface.rect.top, 0);
             y < std::min<int>(surface.rect.bottom, screenHeight); ++y) {
            const std::uint32_t* row =
                surface.pixels.data() +
                static_cast<std::size_t>(y - surface.rect.top) * surfaceWidth;
            for (int x = left; x < right; ++x)
                screen[static_cast<std::size_t>(y) * screenWidth + x] = row[x - surface.rect.left];
        }
    }
    *width = screenWidth;
    *height = screenHeight;
    return screen;
}

bool HeadlessBackend::SaveScreen(const std::string& hostPath) const {
    int width = 0, height = 0;
    std::vector<std::uint32_t> screen = ComposeScreen(&width, &height);
    return WritePng(hostPath, screen.data(), width, height);
}
