#include "toolkit/KIVIdleTasks.h"
#include "toolkit/KIVThread.h"
#include "toolkit/KIVThreadName.h"

#include <gtest/gtest.h>

#include <atomic>
#include <pthread.h>
#include <string>
#include <thread>

namespace {

// Run records what it sees, then holds until the test releases it.
class GatedWorker : public KIVThread {
public:
    explicit GatedWorker(const std::string& name = std::string()) : KIVThread(name) {}

    DWORD Run() override {
        char name[16] = {};
        pthread_getname_np(pthread_self(), name, sizeof name);
        seenName = name;
        inIdleList = KIVIdleTasks::Application().Contains(this);
        calls.fetch_add(1);
        while (!release.load())
            Sleep(1);
        returned.store(true);
        return result;
    }

    std::atomic<int> calls{0};
    std::atomic<bool> release{false};
    std::atomic<bool> returned{false};
    DWORD result = 7;
    std::string seenName; // read by the test after IsDone
    bool inIdleList = false;
};

class KIVThreadNamedAfterItsClass : public GatedWorker {};

bool WaitUntilDone(const KIVThread& thread) {
    for (int i = 0; i < 500 && !thread.IsDone(); ++i)
        Sleep(10);
    return thread.IsDone();
}

bool WaitUntilRunning(const GatedWorker& worker) {
    for (int i = 0; i < 500 && worker.calls.load() == 0; ++i)
        Sleep(10);
    return worker.calls.load() != 0;
}

// [SECTION] Start, stop and the run lock

// The stop arrives during the start delay, or while the thread waits for
// the run lock that the owner holds: either way Run is never called.
TEST(KIVThread, StopBeforeRunLockSkipsRunButEnds) {
    for (DWORD stopAfter : {0u, 2 * KIVThread::kStartDelay}) {
        GatedWorker worker;
        worker.release.store(true); // a wrong call of Run must not hang the test
        EnterCriticalSection(worker.GetRunLock());
        ASSERT_TRUE(worker.Start());
        Sleep(stopAfter);
        EXPECT_EQ(worker.Stop(), 0u);
        LeaveCriticalSection(worker.GetRunLock());
        ASSERT_TRUE(WaitUntilDone(worker)) << stopAfter;
        EXPECT_EQ(worker.calls.load(), 0) << stopAfter;
        EXPECT_FALSE(worker.HasRunBegun());
        EXPECT_EQ(worker.GetExitCode(), 0u);
        EXPECT_FALSE(KIVIdleTasks::Application().Contains(&worker));
    }
}

// An owner that gives up during the start delay destroys the object at
// once: the destructor stops the thread and waits for it, so Run is never
// called on the destroyed object.
TEST(KIVThread, DestroyedBeforeRunStopsAndWaitsForTheThread) {
    static std::atomic<int> runs{0};
    struct CountingWorker : KIVThread {
        DWORD Run() override { return static_cast<DWORD>(runs.fetch_add(1)); }
    };
    DWORD start = GetTickCount();
    {
        CountingWorker worker;
        ASSERT_TRUE(worker.Start());
    }
    EXPECT_GE(GetTickCount() - start, KIVThread::kStartDelay - 10); // it waited
    Sleep(2 * KIVThread::kStartDelay);
    EXPECT_EQ(runs.load(), 0);
}

TEST(KIVThread, RunWaitsForAndHoldsTheRunLock) {
    GatedWorker worker;
    EnterCriticalSection(worker.GetRunLock());
    ASSERT_TRUE(worker.Start());
    Sleep(3 * KIVThread::kStartDelay);
    EXPECT_EQ(worker.calls.load(), 0); // the owner still holds the lock
    LeaveCriticalSection(worker.GetRunLock());
    ASSERT_TRUE(WaitUntilRunning(worker));

    std::atomic<bool> entered{false};
    bool returnedWhenEntered = false;
    std::thread owner([&] {
        EnterCriticalSection(worker.GetRunLock());
        returnedWhenEntered = worker.returned.load();
        entered.store(true);
        LeaveCriticalSection(worker.GetRunLock());
    });
    Sleep(50);
    EXPECT_FALSE(entered.load()); // Run is executing, so the lock is taken
    worker.release.store(true);
    owner.join();
    EXPECT_TRUE(returnedWhenEntered);
    EXPECT_TRUE(WaitUntilDone(worker));
}

// While Run executes the thread is in the idle-task list and its exit code
// is still open; once done it has left the list and Run's result is kept.
TEST(KIVThread, InIdleListExactlyWhileRunExecutes) {
    GatedWorker worker;
    ASSERT_TRUE(worker.Start());
    EXPECT_FALSE(worker.Start()); // a thread object runs once
    EXPECT_FALSE(KIVIdleTasks::Application().Contains(&worker));
    ASSERT_TRUE(WaitUntilRunning(worker));
    EXPECT_TRUE(KIVIdleTasks::Application().Contains(&worker));
    EXPECT_EQ(worker.GetExitCode(), static_cast<DWORD>(STILL_ACTIVE));
    worker.release.store(true);
    ASSERT_TRUE(WaitUntilDone(worker));
    EXPECT_TRUE(worker.inIdleList);
    EXPECT_FALSE(KIVIdleTasks::Application().Contains(&worker));
    EXPECT_EQ(worker.GetExitCode(), 7u);
    EXPECT_EQ(worker.calls.load(), 1);
}

// [SECTION] Suspend and resume

TEST(KIVThread, SuspendCountNeverGoesBelowZero) {
    GatedWorker worker;
    EXPECT_EQ(worker.Suspend(), 0u); // no thread yet: nothing changes
    EXPECT_EQ(worker.SuspendCount(), 0);
    ASSERT_TRUE(worker.Start());
    EXPECT_EQ(worker.Resume(), 0u);
    EXPECT_EQ(worker.SuspendCount(), 0);
    EXPECT_EQ(worker.Suspend(), 0u);
    EXPECT_EQ(worker.Suspend(), 1u);
    EXPECT_EQ(worker.SuspendCount(), 2);
    EXPECT_EQ(worker.Resume(), 2u);
    EXPECT_EQ(worker.Resume(), 1u);
    EXPECT_EQ(worker.Resume(), 0u);
    EXPECT_EQ(worker.SuspendCount(), 0);
    worker.release.store(true);
    EXPECT_TRUE(WaitUntilDone(worker));
}

// Counts its rounds, pausing at each while suspended, until stopped.
class PollingWorker : public KIVThread {
public:
    DWORD Run() override {
        while (WaitWhileSuspended()) {
            rounds.fetch_add(1);
            Sleep(1);
        }
        return 3;
    }
    std::atomic<int> rounds{0};
};

TEST(KIVThread, SuspendPausesRunAtItsPollingPointsAndStopLiftsIt) {
    PollingWorker worker;
    ASSERT_TRUE(worker.Start());
    for (int i = 0; i < 500 && worker.rounds.load() == 0; ++i)
        Sleep(10);
    worker.Suspend();
    Sleep(50); // lets the round in progress reach its polling point
    const int paused = worker.rounds.load();
    Sleep(100);
    EXPECT_EQ(worker.rounds.load(), paused);
    worker.Resume();
    for (int i = 0; i < 500 && worker.rounds.load() == paused; ++i)
        Sleep(10);
    EXPECT_GT(worker.rounds.load(), paused);

    worker.Suspend();
    worker.Suspend();
    EXPECT_EQ(worker.Stop(), 1u); // resumed from 2 to 0
    EXPECT_EQ(worker.SuspendCount(), 0);
    ASSERT_TRUE(WaitUntilDone(worker));
    EXPECT_EQ(worker.GetExitCode(), 3u);
}

// [SECTION] Thread names

TEST(KIVThread, EmptyNameNamesTheThreadAfterItsClass) {
    GatedWorker plain;
    KIVThreadNamedAfterItsClass longClass;
    GatedWorker named("install worker thread");
    for (GatedWorker* worker : {&plain, static_cast<GatedWorker*>(&longClass), &named}) {
        worker->release.store(true);
        ASSERT_TRUE(worker->Start());
    }
    for (GatedWorker* worker : {&plain, static_cast<GatedWorker*>(&longClass), &named})
        ASSERT_TRUE(WaitUntilDone(*worker));
    EXPECT_EQ(plain.seenName, "GatedWorker");
    EXPECT_EQ(longClass.seenName, "KIVThreadNamedA"); // 15 bytes kept
    EXPECT_EQ(named.seenName, "install worker ");
}

} // namespace

namespace kiv_test {
template <typename T> struct Outer {};
struct Inner {};
} // namespace kiv_test

namespace {

TEST(KIVThread, ClassNameLeavesOutNamespacesButNotTemplateArguments) {
    EXPECT_EQ(KIVThreadName("", typeid(kiv_test::Inner)), "Inner");
    EXPECT_EQ(KIVThreadName("", typeid(kiv_test::Outer<kiv_test::Inner>)), "Outer<kiv_test:");
    EXPECT_EQ(KIVThreadName("given", typeid(kiv_test::Inner)), "given");
}

// [SECTION] Drawing requests

struct Flushed {
    int count = 0;
    KIVDialog* dialog = nullptr;
    RECT rect{};
    std::thread::id on;
};
Flushed g_flushed;

void RecordFlush(KIVDialog* dialog, const RECT& rect) {
    ++g_flushed.count;
    g_flushed.dialog = dialog;
    g_flushed.rect = rect;
    g_flushed.on = std::this_thread::get_id();
}

KIVDialog* Token(int& storage) {
    return reinterpret_cast<KIVDialog*>(&storage);
}

// Asks for two rectangles of one dialog, then waits to be released.
class DrawingWorker : public GatedWorker {
public:
    explicit DrawingWorker(KIVDialog* dialog) : dialog_(dialog) {}
    DWORD Run() override {
        RequestDrawing(dialog_, RECT{10, 10, 20, 20});
        RequestDrawing(dialog_, RECT{30, 5, 40, 12});
        return GatedWorker::Run();
    }

private:
    KIVDialog* dialog_;
};

TEST(KIVThread, DrawingRequestsMergeAndFlushOnTheCallingThread) {
    int dialog = 0;
    g_flushed = Flushed();
    KIVThread::SetDrawingFlusher(&RecordFlush);
    DrawingWorker worker(Token(dialog));
    ASSERT_TRUE(worker.Start());
    ASSERT_TRUE(WaitUntilRunning(worker));
    while (KIVIdleTasks::Application().Run() && g_flushed.count == 0)
        ;
    KIVThread::SetDrawingFlusher(nullptr);
    worker.release.store(true);
    ASSERT_TRUE(WaitUntilDone(worker));

    EXPECT_EQ(g_flushed.count, 1);
    EXPECT_EQ(g_flushed.on, std::this_thread::get_id());
    EXPECT_EQ(g_flushed.dialog, Token(dialog));
    EXPECT_EQ(g_flushed.rect.left, 10);
    EXPECT_EQ(g_flushed.rect.top, 5);
    EXPECT_EQ(g_flushed.rect.right, 40);
    EXPECT_EQ(g_flushed.rect.bottom, 20);
    EXPECT_FALSE(worker.FlushDrawing()); // the request was cleared
}

TEST(KIVThread, DrawingRequestHoldsOneDialog) {
    int first = 0;
    int second = 0;
    g_flushed = Flushed();
    GatedWorker worker; // never started: requests are kept all the same
    EXPECT_FALSE(worker.FlushDrawing());
    EXPECT_TRUE(worker.RequestDrawing(Token(first), RECT{0, 0, 0, 9})); // empty: nothing
    EXPECT_TRUE(worker.RequestDrawing(nullptr, RECT{0, 0, 5, 5}));      // no dialog: nothing
    EXPECT_FALSE(worker.FlushDrawing());
    EXPECT_TRUE(worker.RequestDrawing(Token(first), RECT{1, 1, 5, 5}));
    EXPECT_FALSE(worker.RequestDrawing(Token(second), RECT{0, 0, 8, 8}));   // refused, kept apart
    EXPECT_TRUE(worker.RequestDrawing(Token(first), RECT{90, 90, 90, 99})); // empty: no widening

    KIVThread::SetDrawingFlusher(&RecordFlush);
    EXPECT_TRUE(worker.FlushDrawing());
    KIVThread::SetDrawingFlusher(nullptr);
    EXPECT_EQ(g_flushed.dialog, Token(first));
    EXPECT_EQ(g_flushed.rect.right, 5);
    EXPECT_EQ(g_flushed.rect.bottom, 5);

    // Without a flusher (no dialogs yet) the request is still cleared.
    EXPECT_TRUE(worker.RequestDrawing(Token(second), RECT{0, 0, 8, 8}));
    EXPECT_TRUE(worker.FlushDrawing());
    EXPECT_FALSE(worker.FlushDrawing());
    EXPECT_EQ(g_flushed.count, 1);
}

} // namespace
