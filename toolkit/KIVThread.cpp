#include "toolkit/KIVThread.h"

#include "toolkit/KIVDialog.h"
#include "toolkit/KIVIdleTasks.h"
#include "toolkit/KIVLock.h"
#include "toolkit/KIVThreadName.h"

#include <pthread.h>
#include <typeinfo>

namespace {

constinit std::atomic<KIVDrawingFlusher> g_flusher{nullptr};
thread_local KIVThread* t_current = nullptr;

} // namespace

KIVThread::KIVThread(const std::string& name) : name_(name) {
    InitializeCriticalSection(&stateLock_);
    InitializeCriticalSection(&runLock_);
    InitializeCriticalSection(&drawingLock_);
}

KIVThread::~KIVThread() {
    if (hasStarted_.load()) {
        KIVThread::Stop();
        thread_->WaitForEnd();
    }
    DeleteCriticalSection(&drawingLock_);
    DeleteCriticalSection(&runLock_);
    DeleteCriticalSection(&stateLock_);
}

DWORD KIVThread::Resume() {
    KIVLock lock(&stateLock_);
    if (!hasStarted_.load())
        return 0;
    const LONG before = suspendCount_.load();
    if (before > 0)
        suspendCount_.store(before - 1);
    return static_cast<DWORD>(before);
}

DWORD KIVThread::Suspend() {
    KIVLock lock(&stateLock_);
    if (!hasStarted_.load())
        return 0;
    return static_cast<DWORD>(suspendCount_.fetch_add(1));
}

DWORD KIVThread::Stop() {
    stopRequested_.store(true);
    DWORD result = 0;
    if (suspendCount_.load() != 0 && hasStarted_.load()) {
        do
            result = Resume();
        while (result > 1);
    }
    return result;
}

bool KIVThread::Start() {
    if (hasStarted_.load())
        return false;
    platformName_ = KIVThreadName(name_, typeid(*this));
    // Made suspended so that the object keeps the framework's thread object
    // (it would delete itself at its end) and can wait for it.
    CWinThread* thread = AfxBeginThread(&KIVThread::ThreadProcedure, this, THREAD_PRIORITY_NORMAL,
                                        0, CREATE_SUSPENDED);
    if (!thread)
        return false;
    thread->m_bAutoDelete = FALSE;
    thread_.reset(thread);
    hasStarted_.store(true);
    thread->ResumeThread();
    return true;
}

UINT KIVThread::ThreadProcedure(LPVOID self) {
    KIVThread* thread = static_cast<KIVThread*>(self);
    pthread_setname_np(pthread_self(), thread->platformName_.c_str());
    thread->Execute();
    return static_cast<UINT>(thread->exitCode_);
}

// Run's result becomes the exit code; a stop requested before Run leaves 0.
void KIVThread::Execute() {
    Sleep(kStartDelay);
    if (stopRequested_.load()) {
        done_.store(true);
        return;
    }
    EnterCriticalSection(&runLock_);
    DWORD result = 0;
    if (!stopRequested_.load()) {
        KIVIdleTasks::Application().Add(this);
        started_.store(true);
        t_current = this;
        result = Run();
        t_current = nullptr;
        KIVIdleTasks::Application().Remove(this);
        HandOverDrawing();
    }
    exitCode_ = result;
    done_.store(true);
    LeaveCriticalSection(&runLock_);
}

// Out of the idle tasks, the thread's last request would never be flushed:
// the dialog's window gets the rectangle for its next paint instead.
void KIVThread::HandOverDrawing() {
    KIVLock lock(&drawingLock_);
    if (!drawing_.IsPending())
        return;
    if (HWND window = drawing_.Dialog()->GetSafeHwnd())
        ::InvalidateRect(window, &drawing_.Rect(), FALSE);
    drawing_.Clear();
}

DWORD KIVThread::GetExitCode() const {
    return done_.load() ? exitCode_ : static_cast<DWORD>(STILL_ACTIVE);
}

bool KIVThread::WaitWhileSuspended() const {
    while (suspendCount_.load() > 0 && !stopRequested_.load())
        Sleep(10);
    return !stopRequested_.load();
}

bool KIVThread::RequestDrawing(KIVDialog* dialog, const RECT& rect) {
    KIVLock lock(&drawingLock_);
    return drawing_.Merge(dialog, rect);
}

bool KIVThread::FlushDrawing() {
    KIVLock lock(&drawingLock_);
    if (!drawing_.IsPending())
        return false;
    if (KIVDrawingFlusher flusher = g_flusher.load())
        flusher(drawing_.Dialog(), drawing_.Rect());
    drawing_.Clear();
    return true;
}

KIVThread* KIVThread::Current() {
    return t_current;
}

void KIVThread::SetDrawingFlusher(KIVDrawingFlusher flusher) {
    g_flusher.store(flusher);
}
