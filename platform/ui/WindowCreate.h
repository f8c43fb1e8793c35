// Making a window for CreateWindowEx and for dialogs. Internal to the
// platform layer.
#pragma once

#include "platform/WinUser.h"

#include <string>

struct WindowRequest {
    DWORD exStyle = 0;
    DWORD style = 0;
    std::u16string title;
    RECT rect{}; // screen, or the parent's client coordinates for a child
    HWND parent = nullptr;
    LONG_PTR id = 0;
    HINSTANCE instance = nullptr;
    WNDPROC proc = nullptr;
    HCURSOR cursor = nullptr;
    UINT classStyle = 0; // CS_ bits of the class
    DLGPROC dialogProc = nullptr;
};

// Makes the window on the calling thread, hidden, and announces it to the
// display; runs the creation hook. Null when the parent or owner does not
// exist or a child has no parent. WM_NCCREATE, WM_CREATE and the showing
// are the caller's.
HWND MakeWindow(const WindowRequest& request);
// The window's text as a CREATESTRUCTW sees it; sends WM_NCCREATE and
// WM_CREATE and destroys the window when either refuses. False then.
bool SendCreation(HWND hwnd, const WindowRequest& request, LPVOID param);
