// The modal loop that runs a dialog window.
#include "platform/mfc/CWnd.h"

#include "platform/mfc/AfxIdleScript.h"
#include "platform/mfc/CWinThread.h"

#include "platform/ui/DialogState.h"

namespace {

// Messages after which the loop counts as idle again: not a repaint, which
// follows from the loop's own work.
bool IsIdleMessage(const MSG& msg) {
    return msg.message != WM_PAINT;
}

} // namespace

BOOL CWnd::ContinueModal() {
    INT_PTR result = 0;
    if (m_bContinueModal && DialogEnded(m_hWnd, &result)) {
        m_nModalResult = static_cast<int>(result);
        m_bContinueModal = false;
    }
    return m_bContinueModal;
}

void CWnd::EndModalLoop(int nResult) {
    m_nModalResult = nResult;
    m_bContinueModal = false;
    ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

int CWnd::RunModalLoop(DWORD dwFlags) {
    bool idle = true;
    bool showOnIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    const HWND owner = ::GetParent(m_hWnd);
    m_bContinueModal = true;
    MSG msg;
    while (ContinueModal()) {
        if (idle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (showOnIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                showOnIdle = false;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && owner)
                ::SendMessageA(owner, WM_ENTERIDLE, MSGF_DIALOGBOX,
                               reinterpret_cast<LPARAM>(m_hWnd));
            AfxPlayIdleScript();
            idle = false;
            continue;
        }
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_bContinueModal = false;
            return -1;
        }
        CWinThread* thread = AfxGetThread();
        if (!thread || !thread->PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (IsIdleMessage(msg))
            idle = true;
    }
    return m_nModalResult;
}
