#include "toolkit/KIVWnd.h"

bool KIVWnd::OnWindowThread() const {
    if (!m_hWnd)
        return true;
    return ::GetWindowThreadProcessId(m_hWnd, nullptr) == ::GetCurrentThreadId();
}
