#include "XScreen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {
::Display* Of(void* display) {
    return static_cast<::Display*>(display);
}
} // namespace

std::unique_ptr<XScreen> XScreen::Open() {
    ::Display* display = XOpenDisplay(nullptr);
    return display ? std::unique_ptr<XScreen>(new XScreen(display)) : nullptr;
}

XScreen::~XScreen() {
    XCloseDisplay(Of(display_));
}

int XScreen::Depth() const {
    return DefaultDepth(Of(display_), DefaultScreen(Of(display_)));
}

std::vector<std::uint32_t> XScreen::Read(int width, int height) const {
    ::Display* display = Of(display_);
    XSync(display, False);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    XImage* image =
        XGetImage(display, DefaultRootWindow(display), 0, 0, width, height, AllPlanes, ZPixmap);
    if (!image)
        return pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<std::size_t>(y) * width + x] = XGetPixel(image, x, y) & 0xFFFFFF;
    XDestroyImage(image);
    return pixels;
}

void XScreen::MovePointer(int x, int y) const {
    ::Display* display = Of(display_);
    XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, x, y);
    XFlush(display);
}
