// Copying 32-bit device-independent bitmaps into a window's pixels.
#include "platform/WinBase.h"
#include "platform/WinGdi.h"
#include "platform/ui/UiState.h"

#include <cstring>

namespace {

struct DibShape {
    LONG width;
    LONG height; // always positive
    bool topDown;
};

bool ReadShape(const BITMAPINFO* info, UINT colorUse, DibShape* shape) {
    if (!info || colorUse != DIB_RGB_COLORS)
        return false;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biBitCount != 32 ||
        header.biCompression != BI_RGB || header.biWidth <= 0 || header.biHeight == 0 ||
        header.biHeight == LONG(0x80000000))
        return false;
    *shape = DibShape{header.biWidth, header.biHeight < 0 ? -header.biHeight : header.biHeight,
                      header.biHeight < 0};
    return true;
}

// The part of a window that its top-level pixels show, in the window's own
// coordinates: its client area cut by each parent's.
RECT VisiblePart(const WindowObject* window) {
    RECT visible{0, 0, window->Width(), window->Height()};
    POINT offset{0, 0};
    for (const WindowObject* object = window; object && object->IsChild();) {
        offset.x += object->rect.left;
        offset.y += object->rect.top;
        object = FindWindowObject(object->parent);
        if (!object)
            break;
        RECT parent{-offset.x, -offset.y, object->Width() - offset.x, object->Height() - offset.y};
        IntersectRect(&visible, &visible, &parent);
    }
    return visible;
}

} // namespace

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc,
                      UINT StartScan, UINT cLines, const void* lpvBits, const BITMAPINFO* lpbmi,
                      UINT ColorUse) {
    UiLock lock(Ui().lock);
    auto context = Ui().contexts.find(hdc);
    DibShape shape{};
    if (context == Ui().contexts.end() || !lpvBits || !ReadShape(lpbmi, ColorUse, &shape) ||
        (shape.topDown && StartScan != 0) || w > 0x7FFFFFFF || h > 0x7FFFFFFF) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WindowObject* window = FindWindowObject(context->second.hwnd);
    WindowObject* top = TopLevelOf(window);
    if (!window || !top)
        return 0;
    RECT target{xDest, yDest, xDest + static_cast<LONG>(w), yDest + static_cast<LONG>(h)};
    const RECT visible = VisiblePart(window);
    if (!IntersectRect(&target, &target, &context->second.clip) ||
        !IntersectRect(&target, &target, &visible))
        return static_cast<int>(cLines);
    const POINT origin = ScreenOrigin(window);
    const POINT topOrigin = ScreenOrigin(top);
    const LONG dx = origin.x - topOrigin.x, dy = origin.y - topOrigin.y;
    const auto* bits = static_cast<const std::uint8_t*>(lpvBits);
    const std::size_t stride = static_cast<std::size_t>(shape.width) * 4;
    for (LONG y = target.top; y < target.bottom; ++y) {
        const LONG row = y - yDest;
        // Scan line counted from the start of the bitmap's own row order.
        const long long scan =
            shape.topDown ? static_cast<long long>(ySrc) + row
                          : static_cast<long long>(ySrc) + (static_cast<LONG>(h) - 1 - row);
        if (scan < StartScan || scan >= static_cast<long long>(StartScan) + cLines ||
            scan >= shape.height)
            continue;
        const std::uint8_t* line = bits + static_cast<std::size_t>(scan - StartScan) * stride;
        for (LONG x = target.left; x < target.right; ++x) {
            const long long column = static_cast<long long>(xSrc) + (x - xDest);
            if (column < 0 || column >= shape.width)
                continue;
            std::uint32_t pixel;
            std::memcpy(&pixel, line + column * 4, 4);
            top->pixels[static_cast<std::size_t>(y + dy) * top->pixelWidth + (x + dx)] =
                pixel & 0x00FFFFFF;
        }
    }
    OffsetRect(&target, dx, dy);
    ShowPixels(top, target);
    return static_cast<int>(cLines);
}
