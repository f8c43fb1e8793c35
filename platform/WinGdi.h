// The drawing part of the Win32 subset, as <wingdi.h> would give it: a copy
// of 32-bit pixels to a window's device context, and the font record that
// the input method takes.
#pragma once

#include "platform/WinUser.h"

#define BI_RGB 0L
#define DIB_RGB_COLORS 0u

typedef struct tagBITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight; // negative: rows top-down; positive: bottom row first
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
} BITMAPINFOHEADER;

typedef struct tagRGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
} RGBQUAD;

typedef struct tagBITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
} BITMAPINFO;

// Copies a rectangle of a device-independent bitmap onto the device
// context's window at (xDest, yDest) in client coordinates. Only 32 bits a
// pixel, BI_RGB, DIB_RGB_COLORS: each pixel is 4 bytes blue, green, red and
// a fourth byte that is ignored. The bits hold the scan lines uStartScan to
// uStartScan + cLines - 1: for a bottom-up bitmap the bottom row is scan
// line 0 and (xSrc, ySrc) is the rectangle's lower-left corner counted from
// the bottom; for a top-down one (negative height) uStartScan must be 0 and
// (xSrc, ySrc) is the upper-left corner. Pixels outside the window, or for
// a BeginPaint context outside rcPaint, are not touched; the changed
// rectangle is shown on the display. Returns the scan lines given, 0 on
// failure (ERROR_INVALID_PARAMETER for another format).
int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc,
                      UINT StartScan, UINT cLines, const void* lpvBits, const BITMAPINFO* lpbmi,
                      UINT ColorUse);

#define LF_FACESIZE 32
typedef struct tagLOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
} LOGFONTA, *LPLOGFONTA;
