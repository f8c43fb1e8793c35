// The active window, enabling, the keyboard focus and the mouse capture.
#include "platform/WinBase.h"
#include "platform/ui/MessageFetch.h"

#include <utility>

namespace {

bool Inside(HWND candidate, HWND window) {
    for (WindowObject* object = FindWindowObject(candidate); object;
         object = object->IsChild() ? FindWindowObject(object->parent) : nullptr)
        if (object->handle == window)
            return true;
    return false;
}

HWND Activate(HWND hwnd, WORD how) {
    HWND previous = nullptr;
    HWND top = nullptr;
    {
        UiLock lock(Ui().lock);
        WindowObject* window = TopLevelOf(FindWindowObject(hwnd));
        if (!window || (window->style & WS_DISABLED))
            return nullptr;
        top = window->handle;
        previous = Ui().active;
        Raise(window);
        PublishStacking();
        if (previous == top)
            return previous;
        Ui().active = top;
    }
    if (previous)
        SendMessageW(previous, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(top));
    SendMessageW(top, WM_ACTIVATE, how, reinterpret_cast<LPARAM>(previous));
    return previous;
}

// The window that becomes active when `lost` no longer can be: its owner
// when that is shown and enabled, else the topmost such top-level window.
HWND Successor(HWND lost) {
    WindowObject* window = FindWindowObject(lost);
    auto usable = [lost](WindowObject* candidate) {
        return candidate && candidate->handle != lost && !candidate->IsChild() &&
               (candidate->style & WS_VISIBLE) && !(candidate->style & WS_DISABLED);
    };
    if (window && usable(FindWindowObject(window->owner)))
        return window->owner;
    for (auto handle = Ui().stacking.rbegin(); handle != Ui().stacking.rend(); ++handle)
        if (usable(FindWindowObject(*handle)))
            return *handle;
    return nullptr;
}

} // namespace

void ActivateAfterLoss(HWND lost) {
    HWND next = nullptr;
    {
        UiLock lock(Ui().lock);
        if (Ui().active != lost)
            return;
        next = Successor(lost);
        Ui().active = nullptr;
        if (Inside(Ui().focus, lost))
            Ui().focus = nullptr;
    }
    SendMessageW(lost, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(next));
    if (next)
        Activate(next, WA_ACTIVE);
}

void ActivateOnClick(HWND hwnd) {
    HWND top = nullptr;
    {
        UiLock lock(Ui().lock);
        WindowObject* window = TopLevelOf(FindWindowObject(hwnd));
        if (!window || window->handle == Ui().active)
            return;
        top = window->handle;
    }
    Activate(top, WA_CLICKACTIVE);
}

HWND SetActiveWindow(HWND hWnd) {
    return Activate(hWnd, WA_ACTIVE);
}

HWND GetActiveWindow() {
    UiLock lock(Ui().lock);
    return Ui().active;
}

BOOL SetForegroundWindow(HWND hWnd) {
    return Activate(hWnd, WA_ACTIVE) != nullptr || GetActiveWindow() == hWnd;
}

HWND GetForegroundWindow() {
    return GetActiveWindow();
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable) {
    bool wasDisabled = false;
    HWND lostFocus = nullptr;
    {
        UiLock lock(Ui().lock);
        WindowObject* window = FindWindowObject(hWnd);
        if (!window)
            return FALSE;
        wasDisabled = (window->style & WS_DISABLED) != 0;
        if (bEnable)
            window->style &= ~WS_DISABLED;
        else
            window->style |= WS_DISABLED;
        if (!bEnable && Ui().focus && Inside(Ui().focus, hWnd))
            lostFocus = std::exchange(Ui().focus, nullptr);
    }
    if (wasDisabled == !bEnable)
        return wasDisabled;
    if (lostFocus)
        SendMessageW(lostFocus, WM_KILLFOCUS, 0, 0);
    SendMessageW(hWnd, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hWnd) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hWnd);
    return window && !(window->style & WS_DISABLED);
}

HWND SetFocus(HWND hWnd) {
    if (hWnd) {
        HWND top = nullptr;
        {
            UiLock lock(Ui().lock);
            WindowObject* window = TopLevelOf(FindWindowObject(hWnd));
            if (!window)
                return nullptr;
            if (window->handle != Ui().active)
                top = window->handle;
        }
        if (top)
            Activate(top, WA_ACTIVE);
    }
    HWND previous = nullptr;
    {
        UiLock lock(Ui().lock);
        if (hWnd && !FindWindowObject(hWnd))
            return nullptr;
        previous = Ui().focus;
        if (previous == hWnd)
            return previous;
        Ui().focus = hWnd;
    }
    if (previous && IsWindow(previous))
        SendMessageW(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
    if (hWnd)
        SendMessageW(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    return previous;
}

HWND GetFocus() {
    UiLock lock(Ui().lock);
    return Ui().focus;
}

HWND SetCapture(HWND hWnd) {
    HWND previous = nullptr;
    {
        UiLock lock(Ui().lock);
        if (!FindWindowObject(hWnd))
            return nullptr;
        previous = std::exchange(Ui().capture, hWnd);
    }
    if (previous && previous != hWnd)
        SendMessageW(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
    return previous;
}

BOOL ReleaseCapture() {
    HWND previous = nullptr;
    {
        UiLock lock(Ui().lock);
        previous = std::exchange(Ui().capture, nullptr);
    }
    if (previous)
        SendMessageW(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    UiLock lock(Ui().lock);
    return Ui().capture;
}
