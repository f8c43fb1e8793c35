#include "platform/ui/HitTest.h"

namespace {

WindowObject* DeepestChild(WindowObject* window, POINT screen) {
    for (auto child = window->children.rbegin(); child != window->children.rend(); ++child) {
        WindowObject* object = FindWindowObject(*child);
        if (!object || !(object->style & WS_VISIBLE))
            continue;
        const RECT rect = ScreenRect(object);
        if (PtInRect(&rect, screen))
            return DeepestChild(object, screen);
    }
    return window;
}

} // namespace

WindowObject* WindowAtPoint(POINT screen) {
    const std::vector<HWND>& stacking = Ui().stacking;
    for (auto handle = stacking.rbegin(); handle != stacking.rend(); ++handle) {
        WindowObject* window = FindWindowObject(*handle);
        if (window && (window->style & WS_VISIBLE) && PtInRect(&window->rect, screen))
            return DeepestChild(window, screen);
    }
    return nullptr;
}

HWND WindowFromPoint(POINT Point) {
    UiLock lock(Ui().lock);
    WindowObject* window = WindowAtPoint(Point);
    return window ? window->handle : nullptr;
}
