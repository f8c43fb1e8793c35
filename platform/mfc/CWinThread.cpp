#include "platform/mfc/CWinThread.h"

#include "platform/WinBase.h"
#include "platform/mfc/AfxIdleScript.h"
#include "platform/mfc/CWinApp.h"

namespace {
thread_local CWinThread* t_thread = nullptr;
} // namespace

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam) {}

CWinThread::~CWinThread() {
    if (thread_.joinable()) {
        if (thread_.get_id() == std::this_thread::get_id())
            thread_.detach();
        else
            WaitForEnd();
    }
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT) {
    if (thread_.joinable())
        return FALSE;
    // The new thread waits for the lock, so it never sees thread_ before
    // the assignment is complete.
    std::lock_guard<std::mutex> guard(startLock_);
    suspended_ = (dwCreateFlags & CREATE_SUSPENDED) != 0;
    thread_ = std::thread(&CWinThread::ThreadMain, this);
    return TRUE;
}

DWORD CWinThread::ResumeThread() {
    std::lock_guard<std::mutex> guard(startLock_);
    const DWORD previous = suspended_ ? 1 : 0;
    suspended_ = false;
    startSignal_.notify_all();
    return previous;
}

void CWinThread::WaitForEnd() {
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
        thread_.join();
}

DWORD CWinThread::GetExitCode() const {
    return ended_.load() ? exitCode_.load() : static_cast<DWORD>(STILL_ACTIVE);
}

// A worker runs its function; a thread object without one runs
// InitInstance and, when it succeeds, Run.
void CWinThread::ThreadMain() {
    {
        std::unique_lock<std::mutex> guard(startLock_);
        startSignal_.wait(guard, [this] { return !suspended_; });
    }
    t_thread = this;
    m_nThreadID = GetCurrentThreadId();
    DWORD code = 0;
    if (m_pfnThreadProc)
        code = m_pfnThreadProc(m_pThreadParams);
    else
        code = static_cast<DWORD>(InitInstance() ? Run() : ExitInstance());
    exitCode_.store(code);
    ended_.store(true);
    t_thread = nullptr;
    if (m_bAutoDelete) {
        thread_.detach();
        delete this;
    }
}

BOOL CWinThread::InitInstance() {
    return FALSE;
}

int CWinThread::ExitInstance() {
    return static_cast<int>(m_msgCur.wParam);
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
    CWnd* window = CWnd::FromHandlePermanent(pMsg->hwnd);
    return window ? window->PreTranslateMessage(pMsg) : FALSE;
}

BOOL CWinThread::PumpMessage() {
    if (!::GetMessageA(&m_msgCur, nullptr, 0, 0))
        return FALSE;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::OnIdle(LONG lCount) {
    return lCount < 1;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
    return pMsg->message != WM_PAINT;
}

int CWinThread::Run() {
    bool idle = true;
    LONG count = 0;
    MSG peeked;
    for (;;) {
        while (idle && !::PeekMessageA(&peeked, nullptr, 0, 0, PM_NOREMOVE))
            if (!OnIdle(count++)) {
                idle = false;
                AfxPlayIdleScript();
            }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                idle = true;
                count = 0;
            }
        } while (::PeekMessageA(&peeked, nullptr, 0, 0, PM_NOREMOVE));
    }
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int, UINT nStackSize,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES) {
    if (!pfnThreadProc)
        return nullptr;
    auto* thread = new CWinThread(pfnThreadProc, pParam);
    if (!thread->CreateThread(dwCreateFlags, nStackSize)) {
        delete thread;
        return nullptr;
    }
    return thread;
}

CWinThread* AfxGetThread() {
    if (t_thread)
        return t_thread;
    CWinApp* app = AfxGetApp();
    return app && app->m_nThreadID == GetCurrentThreadId() ? app : nullptr;
}
