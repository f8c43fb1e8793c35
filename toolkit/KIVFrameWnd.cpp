#include "toolkit/KIVFrameWnd.h"

#include "platform/ShellApi.h"
#include "toolkit/KIVApplication.h"

bool KIVFrameWnd::Create(const char16_t* title, DWORD style, const RECT& rect) {
    if (!CreateEx(WS_EX_ACCEPTFILES, nullptr, "", style, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr))
        return false;
    ::SetWindowTextW(m_hWnd, title ? title : kDefaultTitle);
    return true;
}

void KIVFrameWnd::OnDropFiles(HDROP drop) {
    const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFFu, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        if (::DragQueryFileA(drop, i, nullptr, 0) >= kDroppedPathBytes)
            continue; // cut short it would name another file
        char path[kDroppedPathBytes] = {};
        ::DragQueryFileA(drop, i, path, kDroppedPathBytes);
        if (KIVApplication* app = KIVApplication::Get())
            app->OpenDocument(KIVString(path));
    }
    ::DragFinish(drop);
}
