#include "toolkit/KIVPixelCopy.h"

#include "platform/WinGdi.h"

void KIVCopyPixels(HDC dc, const DWORD* pixels, int width, int height, const RECT& rect) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    ::SetDIBitsToDevice(dc, rect.left, rect.top, static_cast<DWORD>(rect.right - rect.left),
                        static_cast<DWORD>(rect.bottom - rect.top), rect.left, rect.top, 0,
                        static_cast<UINT>(height), pixels, &info, DIB_RGB_COLORS);
}
