// KIVThread: the base of work that runs beside the user-interface thread.
// A derived class supplies Run; the base starts a platform thread (the
// framework's AfxBeginThread), names it,
// lets it wait 100 ms, runs Run under the run lock while the thread sits in
// the application's idle-task list, and raises the done flag at the end.
//
// Owner's protocol: create the object, Start it, poll it; to finish, Stop it
// if the work should end early, wait until IsDone (sleeping 10 ms between
// looks), then destroy the object. The destructor waits for the platform
// thread to end, so the object's locks outlive the thread's last use of
// them; destroying an object whose Run is still executing is a fault of the
// owner, as the derived part is gone by then.
//
// Suspend and Resume are cooperative: nothing pauses a thread from outside.
// Suspend raises the suspend count, and Run honours it at its polling points
// by calling WaitWhileSuspended, which sleeps while the count is above 0.
//
// Drawing: a worker never draws on a window. It paints into a dialog's
// off-screen buffer and records a drawing request (RequestDrawing); the
// user-interface thread's idle processing calls FlushDrawing, which hands
// the request to the flusher that the dialog layer installs
// (SetDrawingFlusher) to copy that rectangle of the buffer to the window.
// Until the dialogs install one, FlushDrawing only clears the request.
#pragma once

#include "platform/WinBase.h"
#include "platform/WinUser.h"
#include "platform/mfc/CWinThread.h"
#include "toolkit/KIVDrawingRequest.h"

#include <atomic>
#include <memory>
#include <string>

class KIVDialog;

// Shows a rectangle of a dialog's off-screen buffer on its window; called on
// the user-interface thread under the thread object's drawing lock.
using KIVDrawingFlusher = void (*)(KIVDialog* dialog, const RECT& rect);

class KIVThread {
public:
    static constexpr DWORD kStartDelay = 100; // milliseconds before Run begins

    // An empty name names the thread after its class.
    explicit KIVThread(const std::string& name = std::string());
    virtual ~KIVThread();
    KIVThread(const KIVThread&) = delete;
    KIVThread& operator=(const KIVThread&) = delete;

    // The work, on the new thread; its result is the thread's exit code.
    virtual DWORD Run() = 0;
    // Lowers the suspend count by one, never below 0. Returns the count
    // before the call; 0, changing nothing, before Start.
    virtual DWORD Resume();
    // Raises the suspend count by one. Returns the count before the call; 0,
    // changing nothing, before Start.
    virtual DWORD Suspend();
    // Requests the stop and lifts every suspension. Returns the last result
    // of Resume, or 0 when nothing was suspended.
    virtual DWORD Stop();

    // Starts the platform thread. A thread object starts once: false when it
    // has started before or the platform could not create the thread.
    bool Start();

    // Called by the idle tasks on the user-interface thread: shows the
    // pending drawing request and clears it. Returns whether one was pending.
    bool FlushDrawing();
    // Called on the worker: adds a rectangle of a dialog's off-screen buffer
    // to the drawing request (see KIVDrawingRequest::Merge for the result).
    bool RequestDrawing(KIVDialog* dialog, const RECT& rect);
    static void SetDrawingFlusher(KIVDrawingFlusher flusher);
    // The thread object whose Run the calling thread executes, or null.
    static KIVThread* Current();

    bool IsStopRequested() const { return stopRequested_.load(); }
    // Whether Start created the platform thread.
    bool HasStarted() const { return hasStarted_.load(); }
    // Whether Run has been entered (it stays set after Run returns).
    bool HasRunBegun() const { return started_.load(); }
    bool IsDone() const { return done_.load(); }
    LONG SuspendCount() const { return suspendCount_.load(); }
    // Run's result once the thread is done (0 when Run was never called),
    // STILL_ACTIVE before.
    DWORD GetExitCode() const;
    // Held by the thread while Run executes. An owner that enters it keeps
    // Run from beginning, or waits for Run to end.
    LPCRITICAL_SECTION GetRunLock() { return &runLock_; }

protected:
    // Polling point for Run: sleeps in 10 ms steps while the thread is
    // suspended. Returns false when a stop has been requested.
    bool WaitWhileSuspended() const;

private:
    // When the thread ends: a request still pending is left to the window's
    // next paint.
    void HandOverDrawing();
    static UINT ThreadProcedure(LPVOID self);
    void Execute();

    std::atomic<bool> stopRequested_{false};
    std::atomic<bool> started_{false};
    std::atomic<bool> hasStarted_{false};
    std::atomic<LONG> suspendCount_{0};
    CRITICAL_SECTION stateLock_;
    CRITICAL_SECTION runLock_;
    KIVDrawingRequest drawing_;
    CRITICAL_SECTION drawingLock_;
    std::string name_;
    std::string platformName_; // what the thread names itself, fixed by Start
    std::unique_ptr<CWinThread> thread_;
    std::atomic<bool> done_{false};
    DWORD exitCode_ = 0; // written before done_ is raised
};
