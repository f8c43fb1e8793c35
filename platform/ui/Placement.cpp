// Where windows are, whether they show, and their stacking order.
#include "platform/WinBase.h"
#include "platform/ui/DisplayBackend.h"
#include "platform/ui/UiState.h"

#include <algorithm>

// Defined with the activation functions.
void ActivateAfterLoss(HWND lost);

namespace {

// Keeps the overlapping part of the old pixels; the rest is white.
void ResizePixels(WindowObject& top) {
    const int width = top.Width(), height = top.Height();
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, 0x00FFFFFF);
    for (int y = 0; y < std::min(height, top.pixelHeight); ++y)
        std::copy_n(top.pixels.begin() + static_cast<std::ptrdiff_t>(y) * top.pixelWidth,
                    std::min(width, top.pixelWidth),
                    pixels.begin() + static_cast<std::ptrdiff_t>(y) * width);
    top.pixels = std::move(pixels);
    top.pixelWidth = width;
    top.pixelHeight = height;
}

void Restack(std::vector<HWND>& order, HWND hwnd, HWND insertAfter) {
    std::erase(order, hwnd);
    auto below = std::find(order.begin(), order.end(), insertAfter);
    if (insertAfter == HWND_TOP || below == order.end())
        order.push_back(hwnd);
    else if (insertAfter == HWND_BOTTOM)
        order.insert(order.begin(), hwnd);
    else
        order.insert(below, hwnd);
}

void ChangeOrder(WindowObject* window, HWND insertAfter) {
    if (window->IsChild()) {
        Restack(FindWindowObject(window->parent)->children, window->handle, insertAfter);
        return;
    }
    if (insertAfter == HWND_TOP)
        Raise(window);
    else
        Restack(Ui().stacking, window->handle, insertAfter);
    PublishStacking();
}

// Moves and sizes under the lock; true when the window is top-level and
// should be activated.
bool Reposition(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hwnd);
    if (!window)
        return false;
    RECT rect = window->rect;
    if (!(flags & SWP_NOMOVE))
        OffsetRect(&rect, x - rect.left, y - rect.top);
    if (!(flags & SWP_NOSIZE)) {
        if (!window->IsChild()) {
            cx = std::min(cx, GetSystemMetrics(SM_CXMAXTRACK));
            cy = std::min(cy, GetSystemMetrics(SM_CYMAXTRACK));
        }
        rect.right = rect.left + std::max(cx, 0);
        rect.bottom = rect.top + std::max(cy, 0);
    }
    const bool resized =
        rect.right - rect.left != window->Width() || rect.bottom - rect.top != window->Height();
    const bool moved = resized || rect.left != window->rect.left || rect.top != window->rect.top;
    window->rect = rect;
    if (moved && !window->IsChild()) {
        if (resized)
            ResizePixels(*window);
        Display().WindowMoved(hwnd, rect);
        if (resized)
            ShowPixels(window, RECT{0, 0, window->Width(), window->Height()});
    }
    if (resized && !(flags & SWP_NOREDRAW))
        InvalidateAll(window);
    if (!(flags & SWP_NOZORDER))
        ChangeOrder(window, insertAfter);
    return !window->IsChild() && !(flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW)) &&
           (window->style & WS_VISIBLE);
}

} // namespace

namespace {

BOOL Show(HWND hWnd, int nCmdShow, bool passActivation) {
    bool wasVisible = false;
    bool topLevel = false;
    {
        UiLock lock(Ui().lock);
        WindowObject* window = FindWindowObject(hWnd);
        if (!window)
            return FALSE;
        wasVisible = (window->style & WS_VISIBLE) != 0;
        topLevel = !window->IsChild();
        if (nCmdShow == SW_HIDE) {
            window->style &= ~WS_VISIBLE;
        } else {
            window->style |= WS_VISIBLE;
            if (!wasVisible)
                InvalidateAll(window);
        }
        if (topLevel && wasVisible != (nCmdShow != SW_HIDE)) {
            if (nCmdShow != SW_HIDE)
                ShowPixels(window, RECT{0, 0, window->Width(), window->Height()});
            Display().WindowShown(hWnd, nCmdShow != SW_HIDE);
        }
    }
    if (wasVisible != (nCmdShow != SW_HIDE))
        SendMessageW(hWnd, WM_SHOWWINDOW, nCmdShow != SW_HIDE, 0);
    if (nCmdShow == SW_HIDE) {
        if (wasVisible && passActivation)
            ActivateAfterLoss(hWnd);
    } else if (topLevel && (nCmdShow == SW_SHOW || nCmdShow == SW_SHOWNORMAL)) {
        SetActiveWindow(hWnd);
    }
    return wasVisible ? TRUE : FALSE;
}

} // namespace

BOOL ShowWindow(HWND hWnd, int nCmdShow) {
    return Show(hWnd, nCmdShow, true);
}

BOOL IsWindowVisible(HWND hWnd) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hWnd);
    return window && IsShown(window);
}

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags) {
    if (!IsWindow(hWnd))
        return FALSE;
    const bool activate = Reposition(hWnd, hWndInsertAfter, X, Y, cx, cy, uFlags);
    if (uFlags & SWP_HIDEWINDOW)
        Show(hWnd, SW_HIDE, !(uFlags & SWP_NOACTIVATE));
    else if (uFlags & SWP_SHOWWINDOW)
        ShowWindow(hWnd, (uFlags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    else if (activate)
        SetActiveWindow(hWnd);
    return TRUE;
}

BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
    return SetWindowPos(hWnd, HWND_TOP, X, Y, nWidth, nHeight,
                        SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0u : SWP_NOREDRAW));
}

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hWnd);
    if (!window || !lpRect)
        return FALSE;
    *lpRect = ScreenRect(window);
    return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hWnd);
    if (!window || !lpRect)
        return FALSE;
    *lpRect = RECT{0, 0, window->Width(), window->Height()};
    return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hWnd);
    if (!window || !lpPoint)
        return FALSE;
    const POINT origin = ScreenOrigin(window);
    lpPoint->x -= origin.x;
    lpPoint->y -= origin.y;
    return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hWnd);
    if (!window || !lpPoint)
        return FALSE;
    const POINT origin = ScreenOrigin(window);
    lpPoint->x += origin.x;
    lpPoint->y += origin.y;
    return TRUE;
}
