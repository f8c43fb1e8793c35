// One window of the window system. Internal to the platform layer: every
// field is read and written under the window system's lock (UiState.h).
#pragma once

#include "platform/Imm.h"

#include <cstdint>
#include <string>
#include <vector>

struct WindowObject {
    HWND handle = nullptr;
    DWORD thread = 0;
    WNDPROC proc = nullptr;
    HCURSOR classCursor = nullptr;
    UINT classStyle = 0; // CS_ bits; CS_DBLCLKS turns a quick second press into a double click
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr; // a child's parent (WS_CHILD)
    HWND owner = nullptr;  // a top-level window's owner
    // Screen coordinates for a top-level window, the parent's client
    // coordinates for a child.
    RECT rect{};
    std::u16string text;
    LONG_PTR userData = 0;
    LONG_PTR id = 0;
    HINSTANCE instance = nullptr;
    RECT update{}; // client coordinates; empty when nothing waits for painting
    bool destroyed = false;
    std::vector<HWND> children; // bottom first

    // Dialogs made from a template.
    DLGPROC dialogProc = nullptr;
    bool dialogEnded = false;
    INT_PTR dialogResult = 0;

    // Top-level windows: the window's pixels (BGRA, width x height, rows top
    // down). Children draw into their top-level window's pixels.
    std::vector<std::uint32_t> pixels;
    int pixelWidth = 0;
    int pixelHeight = 0;

    // Input method: what the program asked for its composition window.
    COMPOSITIONFORM composition{};
    LOGFONTA compositionFont{};

    bool IsChild() const { return (style & WS_CHILD) != 0; }
    LONG Width() const { return rect.right - rect.left; }
    LONG Height() const { return rect.bottom - rect.top; }
};
