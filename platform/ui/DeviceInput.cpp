#include "platform/ui/DeviceInput.h"

#include "platform/WinBase.h"
#include "platform/ui/HitTest.h"

#include <cstdlib>

namespace {

void PostInput(WindowObject* window, UINT message, WPARAM wParam, LPARAM lParam,
               bool clickActivates = false) {
    ThreadQueue& queue = QueueOf(window->thread);
    queue.posted.push_back(QueuedMessage{
        MSG{window->handle, message, wParam, lParam, GetTickCount(), Ui().mouse}, clickActivates});
    queue.Wake();
}

WindowObject* KeyboardTarget() {
    WindowObject* window = FindWindowObject(Ui().focus);
    if (!window)
        window = FindWindowObject(Ui().active);
    return window && AcceptsInput(window) ? window : nullptr;
}

WindowObject* MouseTarget(POINT screen) {
    if (WindowObject* capture = FindWindowObject(Ui().capture))
        return capture;
    WindowObject* window = WindowAtPoint(screen);
    if (!window || (TopLevelOf(window)->style & WS_DISABLED))
        return nullptr;
    while (window->style & WS_DISABLED)
        window = FindWindowObject(window->parent);
    return window;
}

WPARAM MouseKeys() {
    const bool* keys = Ui().keys;
    return (keys[VK_LBUTTON] ? MK_LBUTTON : 0) | (keys[VK_RBUTTON] ? MK_RBUTTON : 0) |
           (keys[VK_MBUTTON] ? MK_MBUTTON : 0) | (keys[VK_SHIFT] ? MK_SHIFT : 0) |
           (keys[VK_CONTROL] ? MK_CONTROL : 0);
}

LPARAM ClientPoint(const WindowObject* window, POINT screen) {
    const POINT origin = ScreenOrigin(window);
    return MAKELPARAM(screen.x - origin.x, screen.y - origin.y);
}

UINT ButtonMessage(int button, bool down) {
    switch (button) {
    case VK_RBUTTON:
        return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case VK_MBUTTON:
        return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default:
        return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    }
}

// A left press on the same window of a class with CS_DBLCLKS, within the
// double-click time and the double-click rectangle of the first press,
// becomes WM_LBUTTONDBLCLK; the press after a double click starts anew.
bool IsDoubleClick(const WindowObject* window, POINT screen) {
    LastClick& last = Ui().lastClick;
    const DWORD now = GetTickCount();
    const bool doubled = (window->classStyle & CS_DBLCLKS) && last.window == window->handle &&
                         now - last.time <= GetDoubleClickTime() &&
                         std::abs(screen.x - last.screen.x) <= kDoubleClickWidth / 2 &&
                         std::abs(screen.y - last.screen.y) <= kDoubleClickHeight / 2;
    last = doubled ? LastClick{} : LastClick{window->handle, now, screen};
    return doubled;
}

} // namespace

namespace DeviceInput {

// lParam: repeat count 1; bit 30 the previous state, bit 31 set on release.
void Key(int virtualKey, bool down) {
    UiLock lock(Ui().lock);
    const int key = virtualKey & 0xFF;
    const bool wasDown = Ui().keys[key];
    Ui().keys[key] = down;
    WindowObject* window = KeyboardTarget();
    if (!window)
        return;
    const bool alt = Ui().keys[VK_MENU] && key != VK_MENU;
    const UINT message = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    const LPARAM lParam =
        1 | (wasDown ? (1 << 30) : 0) | (down ? 0 : static_cast<LPARAM>(1u << 31));
    PostInput(window, message, static_cast<WPARAM>(key), lParam);
}

void Text(const std::u16string& text) {
    UiLock lock(Ui().lock);
    WindowObject* window = KeyboardTarget();
    if (!window)
        return;
    for (char16_t unit : text)
        PostInput(window, WM_CHAR, unit, 1);
}

void MouseMove(POINT screen) {
    UiLock lock(Ui().lock);
    Ui().mouse = screen;
    if (WindowObject* window = MouseTarget(screen))
        PostInput(window, WM_MOUSEMOVE, MouseKeys(), ClientPoint(window, screen));
}

void MouseButton(int button, bool down, POINT screen) {
    UiLock lock(Ui().lock);
    Ui().mouse = screen;
    Ui().keys[button & 0xFF] = down;
    WindowObject* window = MouseTarget(screen);
    if (!window)
        return;
    UINT message = ButtonMessage(button, down);
    if (message == WM_LBUTTONDOWN && IsDoubleClick(window, screen))
        message = WM_LBUTTONDBLCLK;
    PostInput(window, message, MouseKeys(), ClientPoint(window, screen), down);
}

// WM_MOUSEWHEEL carries the screen point, as on Windows.
void MouseWheel(int delta, POINT screen) {
    UiLock lock(Ui().lock);
    Ui().mouse = screen;
    WindowObject* window = FindWindowObject(Ui().capture);
    if (!window)
        window = KeyboardTarget();
    if (window)
        PostInput(window, WM_MOUSEWHEEL, MAKEWPARAM(MouseKeys(), delta),
                  MAKELPARAM(screen.x, screen.y));
}

} // namespace DeviceInput

SHORT GetAsyncKeyState(int vKey) {
    UiLock lock(Ui().lock);
    return Ui().keys[vKey & 0xFF] ? static_cast<SHORT>(0x8000) : 0;
}

SHORT GetKeyState(int vKey) {
    UiLock lock(Ui().lock);
    return QueueOf(GetCurrentThreadId()).keys[vKey & 0xFF] ? static_cast<SHORT>(0x8000) : 0;
}

BOOL GetCursorPos(LPPOINT lpPoint) {
    if (!lpPoint)
        return FALSE;
    UiLock lock(Ui().lock);
    *lpPoint = Ui().mouse;
    return TRUE;
}
