// Input contexts: one per window, standing for the window itself. What the
// program asks of the composition window is kept with the window and passed
// to the display.
#include "platform/WinBase.h"
#include "platform/ui/DisplayBackend.h"
#include "platform/ui/InputMethodState.h"
#include "platform/ui/UiState.h"

namespace {

WindowObject* WindowOfContext(HIMC context) {
    return FindWindowObject(static_cast<HWND>(context));
}

void Publish(WindowObject* window) {
    const POINT origin = ScreenOrigin(window);
    const POINT at{origin.x + window->composition.ptCurrentPos.x,
                   origin.y + window->composition.ptCurrentPos.y};
    const LONG height = window->compositionFont.lfHeight;
    Display().CompositionPlaced(window->handle, at, height < 0 ? -height : height);
}

} // namespace

HIMC ImmGetContext(HWND hWnd) {
    UiLock lock(Ui().lock);
    return FindWindowObject(hWnd) ? static_cast<HIMC>(hWnd) : nullptr;
}

BOOL ImmReleaseContext(HWND hWnd, HIMC hIMC) {
    return hWnd == static_cast<HWND>(hIMC) && IsWindow(hWnd);
}

BOOL ImmSetCompositionWindow(HIMC hIMC, LPCOMPOSITIONFORM lpCompForm) {
    UiLock lock(Ui().lock);
    WindowObject* window = WindowOfContext(hIMC);
    if (!window || !lpCompForm)
        return FALSE;
    window->composition = *lpCompForm;
    Publish(window);
    return TRUE;
}

BOOL ImmSetCompositionFontA(HIMC hIMC, LPLOGFONTA lplf) {
    UiLock lock(Ui().lock);
    WindowObject* window = WindowOfContext(hIMC);
    if (!window || !lplf)
        return FALSE;
    window->compositionFont = *lplf;
    Publish(window);
    return TRUE;
}

bool GetCompositionRequest(HWND hwnd, COMPOSITIONFORM* form, LOGFONTA* font) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hwnd);
    if (!window)
        return false;
    if (form)
        *form = window->composition;
    if (font)
        *font = window->compositionFont;
    return true;
}
