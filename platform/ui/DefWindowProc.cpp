// The default handling of a message, and calling a saved window procedure.
#include "platform/ShellApi.h"
#include "platform/WinBase.h"
#include "platform/ui/UiState.h"

#include <algorithm>

namespace {

LRESULT Default(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(hwnd, &paint);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && GetFocus() != hwnd && !IsChild(hwnd, GetFocus()))
            SetFocus(hwnd);
        return 0;
    case WM_SETCURSOR: {
        HCURSOR cursor = nullptr;
        {
            UiLock lock(Ui().lock);
            if (WindowObject* window = FindWindowObject(hwnd))
                cursor = window->classCursor;
        }
        if (!cursor)
            return FALSE;
        SetCursor(cursor);
        return TRUE;
    }
    case WM_SETTEXT:
        return SetWindowTextW(hwnd, reinterpret_cast<LPCWSTR>(lParam));
    case WM_GETTEXT:
        return GetWindowTextW(hwnd, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
        return GetWindowTextLengthW(hwnd);
    case WM_DROPFILES: // a drop nobody took would live for ever
        DragFinish(reinterpret_cast<HDROP>(wParam));
        return 0;
    default:
        return 0;
    }
}

} // namespace

LRESULT DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return Default(hWnd, Msg, wParam, lParam);
}

LRESULT DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return Default(hWnd, Msg, wParam, lParam);
}

LRESULT CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return lpPrevWndFunc ? lpPrevWndFunc(hWnd, Msg, wParam, lParam) : 0;
}

LRESULT CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return lpPrevWndFunc ? lpPrevWndFunc(hWnd, Msg, wParam, lParam) : 0;
}
