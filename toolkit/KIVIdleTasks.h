// KIVIdleTasks: the worker threads that are running, which the
// user-interface thread serves from its idle processing: each in turn gets to
// have its pending drawing request shown (KIVThread::FlushDrawing). A thread
// is in the list exactly while its Run executes. Every operation takes the
// list's critical section.
//
// The list belongs to the application object; until that object exists the
// process-wide list of Application() stands in for it, behind the same
// operations.
#pragma once

#include "platform/WinBase.h"

#include <cstddef>
#include <vector>

class KIVThread;

class KIVIdleTasks {
public:
    // The list that the application's idle processing runs.
    static KIVIdleTasks& Application();

    KIVIdleTasks();
    ~KIVIdleTasks();
    KIVIdleTasks(const KIVIdleTasks&) = delete;
    KIVIdleTasks& operator=(const KIVIdleTasks&) = delete;

    // Adds a running thread (once, however often it is added).
    void Add(KIVThread* thread);
    void Remove(KIVThread* thread);
    bool Contains(const KIVThread* thread) const;

    // One round-robin step: starting where the last call stopped, asks each
    // thread in turn to flush its drawing; the first that had something to
    // flush ends the call with true, and the next call starts behind it. At
    // the end of the list the position wraps to the start, and the call
    // returns whether it began past the start (the threads before it have
    // not been asked yet).
    bool Run();

private:
    std::vector<KIVThread*> threads_;
    std::size_t next_ = 0;
    mutable CRITICAL_SECTION lock_;
};
