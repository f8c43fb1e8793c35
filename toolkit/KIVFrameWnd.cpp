#include "toolkit/KIVFrameWnd.h"

bool KIVFrameWnd::Create(const char16_t* title, DWORD style, const RECT& rect) {
    if (!CreateEx(WS_EX_ACCEPTFILES, nullptr, "", style, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr))
        return false;
    ::SetWindowTextW(m_hWnd, title ? title : kDefaultTitle);
    return true;
}
