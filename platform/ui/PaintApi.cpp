// Update rectangles, WM_PAINT's device context, and device contexts of
// whole windows.
#include "platform/WinBase.h"
#include "platform/ui/UiState.h"

namespace {

RECT ClientOf(const WindowObject* window) {
    return RECT{0, 0, window->Width(), window->Height()};
}

bool EqualRectangles(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

HDC NewContext(HWND hwnd, const RECT& clip) {
    HDC hdc = NewUiHandle();
    Ui().contexts[hdc] = DeviceContext{hwnd, clip};
    return hdc;
}

} // namespace

BOOL InvalidateRect(HWND hWnd, LPCRECT lpRect, BOOL) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hWnd);
    if (!window)
        return FALSE;
    const RECT client = ClientOf(window);
    RECT part = client;
    if (lpRect && !IntersectRect(&part, lpRect, &client))
        return TRUE;
    UnionRect(&window->update, &window->update, &part);
    QueueOf(window->thread).Wake();
    return TRUE;
}

// A rectangle cannot hold a hole: validating a part that does not cover the
// whole update rectangle leaves the update rectangle as it is.
BOOL ValidateRect(HWND hWnd, LPCRECT lpRect) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hWnd);
    if (!window)
        return FALSE;
    RECT covered{};
    if (!lpRect || (IntersectRect(&covered, lpRect, &window->update) &&
                    EqualRectangles(covered, window->update)))
        SetRectEmpty(&window->update);
    return TRUE;
}

BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hWnd);
    if (!window)
        return FALSE;
    if (lpRect)
        *lpRect = window->update;
    return !IsRectEmpty(&window->update);
}

BOOL UpdateWindow(HWND hWnd) {
    bool needsPaint = false;
    {
        UiLock lock(Ui().lock);
        WindowObject* window = FindWindowObject(hWnd);
        if (!window)
            return FALSE;
        needsPaint = !IsRectEmpty(&window->update) && IsShown(window);
    }
    if (needsPaint)
        SendMessageW(hWnd, WM_PAINT, 0, 0);
    return TRUE;
}

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hWnd);
    if (!window || !lpPaint)
        return nullptr;
    *lpPaint = PAINTSTRUCT{};
    const RECT client = ClientOf(window);
    IntersectRect(&lpPaint->rcPaint, &window->update, &client);
    SetRectEmpty(&window->update);
    lpPaint->hdc = NewContext(hWnd, lpPaint->rcPaint);
    return lpPaint->hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* lpPaint) {
    UiLock lock(Ui().lock);
    return lpPaint && Ui().contexts.erase(lpPaint->hdc) ? TRUE : FALSE;
}

HDC GetDC(HWND hWnd) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hWnd);
    return window ? NewContext(hWnd, ClientOf(window)) : nullptr;
}

int ReleaseDC(HWND, HDC hDC) {
    UiLock lock(Ui().lock);
    return Ui().contexts.erase(hDC) ? 1 : 0;
}
