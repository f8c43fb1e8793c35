#include "toolkit/KIVString.h"
#include "toolkit/KIVStringArray.h"
#include "toolkit/KIVStringPool.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

// Several threads copy and drop values that share buffers with the other
// threads, and allocate from every pool and the heap at the same time. Run
// under ThreadSanitizer this must report no race; everywhere it must leave
// the shared texts intact and every pool block back on its free list.
TEST(KIVStringThreads, SharedValuesAndPoolsAcrossThreads) {
    KIVStringArray shared;
    shared.SetSize(5);
    const int lengths[5] = {10, 100, 200, 400, 700};
    for (int i = 0; i < 5; ++i)
        shared[i] = KIVString(static_cast<char16_t>(u'a' + i), lengths[i]);
    int freeBefore[4];
    const int classes[4] = {64, 128, 256, 512};
    { // make sure every pool has its first chunk before counting
        KIVString warm[4] = {KIVString(u'w', 64), KIVString(u'w', 128), KIVString(u'w', 256), KIVString(u'w', 512)};
    }
    for (int c = 0; c < 4; ++c)
        freeBefore[c] = KIVStringPool::ForCapacity(classes[c])->FreeBlocks();

    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&shared, t] {
            for (int round = 0; round < 2000; ++round) {
                KIVString copy(shared[(t + round) % 5]);
                KIVString other;
                other = copy;
                other += u'!';          // detaches from the shared buffer
                KIVString part = copy.Left(3 + round % 300);
                part.MakeLower();
                KIVString empty;
                empty = part.Mid(1000, 1);
                if (other.GetAt(0) != copy.GetAt(0) || !empty.IsEmpty())
                    ADD_FAILURE() << "text changed under a sharer";
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();

    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(shared[i], KIVString(static_cast<char16_t>(u'a' + i), lengths[i]));
        EXPECT_EQ(shared[i].Data()->refs, 1);
    }
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(KIVStringPool::ForCapacity(classes[c])->FreeBlocks(), freeBefore[c]) << classes[c];
}

} // namespace
