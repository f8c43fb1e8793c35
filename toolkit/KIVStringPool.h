// KIVStringPool: a pool of fixed-size blocks for the buffers of KIVString.
// Four pools serve the capacity classes 64, 128, 256 and 512 characters.
// A pool grows one chunk of 64 blocks at a time, hands blocks out in
// ascending address order, takes them back onto a free list and keeps its
// memory until the program ends. Each pool has its own critical section.
#pragma once

#include "platform/WinBase.h"

class KIVStringPool {
public:
    static constexpr int kBlocksPerChunk = 64;
    static constexpr int kLargestPooledCapacity = 512;

    // The capacity a buffer for n characters gets: 0, 64, 128, 256, 512 or n.
    static int ClassCapacity(int n);
    // The pool that serves a capacity class, or null for 0 and heap capacities.
    static KIVStringPool* ForCapacity(int capacity);
    // True once the pools have freed their chunks at program exit; blocks
    // must no longer be touched after that.
    static bool Closed();

    explicit KIVStringPool(int blockSize);
    ~KIVStringPool();
    KIVStringPool(const KIVStringPool&) = delete;
    KIVStringPool& operator=(const KIVStringPool&) = delete;

    // A block of BlockSize() bytes, or null when no chunk could be allocated.
    void* Allocate();
    void Free(void* block);

    int BlockSize() const { return blockSize_; }
    // Counts for tests and diagnostics (walk the lists under the lock).
    int FreeBlocks() const;
    int Chunks() const;

private:
    bool AddChunk();

    int blockSize_;
    void* chunks_ = nullptr; // last allocated chunk; its first word links the previous one
    void* free_ = nullptr;   // first free block; each links the next through its first word
    mutable CRITICAL_SECTION lock_;
};
