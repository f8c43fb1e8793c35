#include "toolkit/KIVIdleTasks.h"
#include "toolkit/KIVThread.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Never started: only its drawing request matters to the list.
class IdleWorker : public KIVThread {
public:
    DWORD Run() override { return 0; }
};

std::vector<KIVDialog*> g_flushedDialogs;

void RecordFlush(KIVDialog* dialog, const RECT&) {
    g_flushedDialogs.push_back(dialog);
}

KIVDialog* Token(int& storage) {
    return reinterpret_cast<KIVDialog*>(&storage);
}

class KIVIdleTasksTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_flushedDialogs.clear();
        KIVThread::SetDrawingFlusher(&RecordFlush);
    }
    void TearDown() override { KIVThread::SetDrawingFlusher(nullptr); }
};

TEST_F(KIVIdleTasksTest, RoundRobinResumesBehindTheLastThreadThatFlushed) {
    int dialogA = 0;
    int dialogC = 0;
    IdleWorker a, b, c;
    KIVIdleTasks list;
    for (KIVThread* thread : {&a, &b, &c})
        list.Add(thread);
    a.RequestDrawing(Token(dialogA), RECT{0, 0, 4, 4});
    c.RequestDrawing(Token(dialogC), RECT{0, 0, 4, 4});

    EXPECT_TRUE(list.Run()); // a flushes
    a.RequestDrawing(Token(dialogA), RECT{0, 0, 4, 4});
    EXPECT_TRUE(list.Run());  // starts at b: c flushes, although a has work again
    EXPECT_TRUE(list.Run());  // past the end: wraps, reporting unasked threads
    EXPECT_TRUE(list.Run());  // a flushes
    EXPECT_TRUE(list.Run());  // b and c have no work; wraps behind a
    EXPECT_FALSE(list.Run()); // from the start, nobody has work
    EXPECT_EQ(g_flushedDialogs,
              (std::vector<KIVDialog*>{Token(dialogA), Token(dialogC), Token(dialogA)}));
}

TEST_F(KIVIdleTasksTest, AThreadIsListedOnce) {
    int dialog = 0;
    IdleWorker worker;
    KIVIdleTasks list;
    list.Add(&worker);
    list.Add(&worker);
    EXPECT_TRUE(list.Contains(&worker));
    list.Remove(&worker);
    EXPECT_FALSE(list.Contains(&worker)); // one removal undoes both additions
    worker.RequestDrawing(Token(dialog), RECT{0, 0, 4, 4});
    EXPECT_FALSE(list.Run()); // a removed thread is no longer served
    EXPECT_TRUE(g_flushedDialogs.empty());
}

} // namespace
