// Questions about windows, their texts and their long values.
#include "platform/HostText.h"
#include "platform/WinBase.h"
#include "platform/ui/DisplayBackend.h"
#include "platform/ui/UiState.h"

#include <algorithm>
#include <unistd.h>
#include <utility>

namespace {

BOOL SetText(HWND hwnd, const std::u16string& text) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hwnd);
    if (!window)
        return FALSE;
    window->text = text;
    if (!window->IsChild())
        Display().WindowTitleChanged(hwnd, text);
    return TRUE;
}

std::u16string Text(HWND hwnd) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hwnd);
    return window ? window->text : std::u16string();
}

LONG_PTR GetLong(HWND hwnd, int index) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hwnd);
    if (!window)
        return 0;
    switch (index) {
    case GWL_STYLE:
        return window->style;
    case GWL_EXSTYLE:
        return window->exStyle;
    case GWLP_USERDATA:
        return window->userData;
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(window->proc);
    case GWLP_ID:
        return window->id;
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(window->instance);
    default:
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
}

LONG_PTR SetLong(HWND hwnd, int index, LONG_PTR value) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hwnd);
    if (!window)
        return 0;
    LONG_PTR previous = 0;
    switch (index) {
    case GWL_STYLE:
        previous = std::exchange(window->style, static_cast<DWORD>(value));
        break;
    case GWL_EXSTYLE:
        previous = std::exchange(window->exStyle, static_cast<DWORD>(value));
        break;
    case GWLP_USERDATA:
        previous = std::exchange(window->userData, value);
        break;
    case GWLP_WNDPROC:
        previous = reinterpret_cast<LONG_PTR>(
            std::exchange(window->proc, reinterpret_cast<WNDPROC>(value)));
        break;
    case GWLP_ID:
        previous = std::exchange(window->id, value);
        break;
    default:
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    SetLastError(ERROR_SUCCESS);
    return previous;
}

int CopyOut(const std::u16string& text, LPWSTR buffer, int size) {
    if (!buffer || size <= 0)
        return 0;
    const int count = std::min<int>(static_cast<int>(text.size()), size - 1);
    std::copy_n(text.data(), count, buffer);
    buffer[count] = 0;
    return count;
}

} // namespace

BOOL IsWindow(HWND hWnd) {
    UiLock lock(Ui().lock);
    return FindWindowObject(hWnd) != nullptr;
}

HWND GetParent(HWND hWnd) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hWnd);
    if (!window)
        return nullptr;
    return window->IsChild() ? window->parent : window->owner;
}

HWND GetWindow(HWND hWnd, UINT uCmd) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hWnd);
    if (!window || uCmd != GW_OWNER) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return window->owner;
}

BOOL IsChild(HWND hWndParent, HWND hWndChild) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hWndChild);
    while (window && window->IsChild()) {
        if (window->parent == hWndParent)
            return TRUE;
        window = FindWindowObject(window->parent);
    }
    return FALSE;
}

DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hWnd);
    if (!window)
        return 0;
    if (lpdwProcessId)
        *lpdwProcessId = static_cast<DWORD>(getpid());
    return window->thread;
}

BOOL SetWindowTextA(HWND hWnd, LPCSTR lpString) {
    return SetText(hWnd, HostText::ToWide(HostText::FromAnsi(lpString)));
}

BOOL SetWindowTextW(HWND hWnd, LPCWSTR lpString) {
    return SetText(hWnd, lpString ? std::u16string(lpString) : std::u16string());
}

// The ANSI text is cut at a whole character: a double-byte character that
// does not fit is left out rather than split.
int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
    if (!lpString || nMaxCount <= 0)
        return 0;
    const std::u16string text = Text(hWnd);
    std::string ansi;
    for (char16_t c : text) {
        std::string one = HostText::ToAnsi(HostText::FromWide(std::u16string(1, c).c_str()));
        if (static_cast<int>(ansi.size() + one.size()) > nMaxCount - 1)
            break;
        ansi += one;
    }
    std::copy(ansi.begin(), ansi.end(), lpString);
    lpString[ansi.size()] = '\0';
    return static_cast<int>(ansi.size());
}

int GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount) {
    return CopyOut(Text(hWnd), lpString, nMaxCount);
}

int GetWindowTextLengthW(HWND hWnd) {
    return static_cast<int>(Text(hWnd).size());
}

LONG_PTR GetWindowLongPtrA(HWND hWnd, int nIndex) {
    return GetLong(hWnd, nIndex);
}
LONG_PTR GetWindowLongPtrW(HWND hWnd, int nIndex) {
    return GetLong(hWnd, nIndex);
}
LONG_PTR SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    return SetLong(hWnd, nIndex, dwNewLong);
}
LONG_PTR SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    return SetLong(hWnd, nIndex, dwNewLong);
}
