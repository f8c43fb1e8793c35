// Binding framework objects to windows, and creating them.
#include "platform/mfc/CWnd.h"

#include "platform/WinBase.h"
#include "platform/ui/WindowCreateHook.h"

#include <map>
#include <mutex>

namespace {

std::mutex mapLock;
std::map<HWND, CWnd*>& HandleMap() {
    static auto* map = new std::map<HWND, CWnd*>;
    return *map;
}

// The message a thread's window object is handling, for Default.
struct CurrentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
thread_local CurrentMessage t_current{};

void BindCreated(HWND hwnd, void* context) {
    static_cast<CWnd*>(context)->SubclassWindow(hwnd);
}

} // namespace

CWnd::CWnd() = default;

CWnd::~CWnd() {
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    std::lock_guard<std::mutex> guard(mapLock);
    auto found = HandleMap().find(hwnd);
    return found == HandleMap().end() ? nullptr : found->second;
}

BOOL CWnd::Attach(HWND hwnd) {
    if (!hwnd || m_hWnd)
        return FALSE;
    std::lock_guard<std::mutex> guard(mapLock);
    HandleMap()[hwnd] = this;
    m_hWnd = hwnd;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hwnd = m_hWnd;
    if (hwnd) {
        std::lock_guard<std::mutex> guard(mapLock);
        HandleMap().erase(hwnd);
    }
    m_hWnd = nullptr;
    return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!Attach(hwnd))
        return FALSE;
    WNDPROC previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (previous != &AfxWndProc)
        m_pfnSuper = previous;
    return TRUE;
}

void CWnd::HookWindowCreate() {
    SetWindowCreateHook(&BindCreated, this);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam) {
    HookWindowCreate();
    HWND hwnd = ::CreateWindowExA(dwExStyle, lpszClassName ? lpszClassName : AfxWindowClassName(),
                                  lpszWindowName, dwStyle, x, y, nWidth, nHeight, hWndParent,
                                  nIDorHMenu, nullptr, lpParam);
    SetWindowCreateHook(nullptr, nullptr);
    return hwnd && hwnd == m_hWnd;
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

DWORD CWnd::GetStyle() const {
    return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE));
}

// Keeps the message for Default, restoring the outer one for nested calls.
LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const CurrentMessage outer = t_current;
    t_current = CurrentMessage{message, wParam, lParam};
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    t_current = outer;
    return result;
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    return DefWindowProc(t_current.message, t_current.wParam, t_current.lParam);
}

// WM_NCDESTROY is the window's last message: the object lets go of it.
LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* window = CWnd::FromHandlePermanent(hwnd);
    if (!window)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    LRESULT result = window->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        window->Detach();
        window->PostNcDestroyFromProc();
    }
    return result;
}

LPCSTR AfxWindowClassName() {
    static const char* name = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &AfxWndProc;
        windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = "AfxWnd";
        ::RegisterClassA(&windowClass);
        return "AfxWnd";
    }();
    return name;
}
