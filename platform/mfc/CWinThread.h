// The framework's thread object: a worker running a function, or a thread
// with a message loop (Run) and idle processing (OnIdle). CWinApp is the
// user-interface thread's.
#pragma once

#include "platform/mfc/CWnd.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

typedef UINT (*AFX_THREADPROC)(LPVOID);

#define THREAD_PRIORITY_NORMAL 0
#define CREATE_SUSPENDED 0x00000004u

class CWinThread {
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    // Waits for the thread to end when it was started and is not the
    // calling one: the object holds the thread's state.
    virtual ~CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // Starts the thread; with CREATE_SUSPENDED it waits for ResumeThread
    // before running. False when the thread cannot be made.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0);
    // Lets a thread made with CREATE_SUSPENDED run. Returns the previous
    // suspend count (1 the first time, 0 after).
    DWORD ResumeThread();
    // Waits until the thread has ended; at once when it was never started.
    void WaitForEnd();
    // The thread's exit code once it has ended, STILL_ACTIVE before.
    DWORD GetExitCode() const;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The message loop: dispatches messages, calling OnIdle(0), OnIdle(1),
    // ... while the queue is empty and OnIdle returns true; a message other
    // than WM_PAINT starts the count again from 0. Ends on WM_QUIT with
    // ExitInstance's result.
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Fetches and dispatches one message; false for WM_QUIT.
    virtual BOOL PumpMessage();
    // Idle work; true asks for another call with the next count. The base
    // asks for one more pass after count 0.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);

    CWnd* m_pMainWnd = nullptr;
    // Worker threads made by AfxBeginThread delete themselves at their end
    // when this stays true.
    BOOL m_bAutoDelete = TRUE;
    DWORD m_nThreadID = 0;
    MSG m_msgCur{};

protected:
    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;

private:
    void ThreadMain();

    std::thread thread_;
    std::mutex startLock_;
    std::condition_variable startSignal_;
    bool suspended_ = false;
    std::atomic<bool> ended_{false};
    std::atomic<DWORD> exitCode_{0};
};

// Makes a worker thread that calls pfnThreadProc(pParam); its result is the
// exit code. The priority and stack size are accepted and not used. Null
// when the thread cannot be made.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                           int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// The calling thread's CWinThread, or null for a thread the framework did
// not make (the application's thread has the application object).
CWinThread* AfxGetThread();
