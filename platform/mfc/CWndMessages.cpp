// The message dispatch of CWnd to its virtual handlers, and the handlers'
// default behaviour: each leaves its message to Default.
#include "platform/mfc/CWnd.h"

namespace {

POINT PointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

UINT RepeatOf(LPARAM lParam) {
    return LOWORD(lParam);
}

UINT FlagsOf(LPARAM lParam) {
    return HIWORD(lParam);
}

CWnd* WndOf(WPARAM wParam) {
    return CWnd::FromHandlePermanent(reinterpret_cast<HWND>(wParam));
}

} // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const auto key = static_cast<UINT>(wParam);
    *pResult = 0;
    switch (message) {
    case WM_COMMAND:
        return OnCommand(wParam, lParam);
    case WM_PAINT:
        OnPaint();
        return TRUE;
    case WM_TIMER:
        OnTimer(wParam);
        return TRUE;
    case WM_KEYDOWN:
        OnKeyDown(key, RepeatOf(lParam), FlagsOf(lParam));
        return TRUE;
    case WM_KEYUP:
        OnKeyUp(key, RepeatOf(lParam), FlagsOf(lParam));
        return TRUE;
    case WM_SYSKEYDOWN:
        OnSysKeyDown(key, RepeatOf(lParam), FlagsOf(lParam));
        return TRUE;
    case WM_SYSKEYUP:
        OnSysKeyUp(key, RepeatOf(lParam), FlagsOf(lParam));
        return TRUE;
    case WM_CHAR:
        OnChar(key, RepeatOf(lParam), FlagsOf(lParam));
        return TRUE;
    case WM_LBUTTONDOWN:
        OnLButtonDown(key, PointOf(lParam));
        return TRUE;
    case WM_LBUTTONUP:
        OnLButtonUp(key, PointOf(lParam));
        return TRUE;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(key, PointOf(lParam));
        return TRUE;
    case WM_RBUTTONDOWN:
        OnRButtonDown(key, PointOf(lParam));
        return TRUE;
    case WM_RBUTTONUP:
        OnRButtonUp(key, PointOf(lParam));
        return TRUE;
    case WM_MOUSEMOVE:
        OnMouseMove(key, PointOf(lParam));
        return TRUE;
    case WM_MOUSEWHEEL:
        *pResult = OnMouseWheel(LOWORD(wParam), GET_WHEEL_DELTA_WPARAM(wParam), PointOf(lParam));
        return TRUE;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(CWnd::FromHandlePermanent(reinterpret_cast<HWND>(lParam)));
        return TRUE;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam), CWnd::FromHandlePermanent(reinterpret_cast<HWND>(lParam)),
                   HIWORD(wParam));
        return TRUE;
    case WM_SETFOCUS:
        OnSetFocus(WndOf(wParam));
        return TRUE;
    case WM_KILLFOCUS:
        OnKillFocus(WndOf(wParam));
        return TRUE;
    case WM_SETCURSOR:
        *pResult = OnSetCursor(WndOf(wParam), LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_CLOSE:
        OnClose();
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return TRUE;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CWnd::OnCommand(WPARAM, LPARAM) {
    return FALSE;
}
void CWnd::OnPaint() {
    Default();
}
void CWnd::OnTimer(UINT_PTR) {
    Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnSysKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnSysKeyUp(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnLButtonDown(UINT, POINT) {
    Default();
}
void CWnd::OnLButtonUp(UINT, POINT) {
    Default();
}
void CWnd::OnLButtonDblClk(UINT, POINT) {
    Default();
}
void CWnd::OnRButtonDown(UINT, POINT) {
    Default();
}
void CWnd::OnRButtonUp(UINT, POINT) {
    Default();
}
void CWnd::OnMouseMove(UINT, POINT) {
    Default();
}
BOOL CWnd::OnMouseWheel(UINT, short, POINT) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnCaptureChanged(CWnd*) {
    Default();
}
void CWnd::OnActivate(UINT, CWnd*, BOOL) {
    Default();
}
void CWnd::OnSetFocus(CWnd*) {
    Default();
}
void CWnd::OnKillFocus(CWnd*) {
    Default();
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnClose() {
    Default();
}
void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnDropFiles(HDROP) {
    Default();
}
