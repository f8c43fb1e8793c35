#include "toolkit/KIVStringPool.h"

#include <atomic>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#define KIV_POOL_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KIV_POOL_ASAN 1
#endif
#endif

#ifdef KIV_POOL_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace {

// Set when the pools free their chunks at exit. Values destroyed later (static
// values made before the pools) must not touch their buffers any more.
constinit std::atomic<bool> g_closed{false};

struct Pools {
    KIVStringPool pool[4]{KIVStringPool(144), KIVStringPool(272), KIVStringPool(528),
                          KIVStringPool(1040)};
    ~Pools() { g_closed.store(true, std::memory_order_relaxed); }
};

Pools& ThePools() {
    static Pools pools;
    return pools;
}

void*& NextOf(void* block) { return *static_cast<void**>(block); }

// Free blocks stay addressable only in their link word, so that a value that
// still uses a returned block is caught by AddressSanitizer.
void PoisonFree(void* block, int size) {
#ifdef KIV_POOL_ASAN
    ASAN_POISON_MEMORY_REGION(static_cast<char*>(block) + sizeof(void*), size - sizeof(void*));
#else
    (void)block;
    (void)size;
#endif
}

void UnpoisonAll(void* block, int size) {
#ifdef KIV_POOL_ASAN
    ASAN_UNPOISON_MEMORY_REGION(block, size);
#else
    (void)block;
    (void)size;
#endif
}

} // namespace

int KIVStringPool::ClassCapacity(int n) {
    if (n <= 0)
        return 0;
    for (int capacity = 64; capacity <= kLargestPooledCapacity; capacity *= 2) {
        if (n <= capacity)
            return capacity;
    }
    return n;
}

KIVStringPool* KIVStringPool::ForCapacity(int capacity) {
    int index;
    switch (capacity) {
    case 64: index = 0; break;
    case 128: index = 1; break;
    case 256: index = 2; break;
    case 512: index = 3; break;
    default: return nullptr;
    }
    if (Closed())
        return nullptr;
    return &ThePools().pool[index];
}

bool KIVStringPool::Closed() { return g_closed.load(std::memory_order_relaxed); }

KIVStringPool::KIVStringPool(int blockSize) : blockSize_(blockSize) {
    InitializeCriticalSection(&lock_);
}

KIVStringPool::~KIVStringPool() {
    while (chunks_) {
        void* previous = NextOf(chunks_);
        UnpoisonAll(chunks_, sizeof(void*) + kBlocksPerChunk * blockSize_);
        std::free(chunks_);
        chunks_ = previous;
    }
    free_ = nullptr;
    DeleteCriticalSection(&lock_);
}

// Threads the new chunk's blocks onto the (empty) free list in address order.
bool KIVStringPool::AddChunk() {
    char* chunk = static_cast<char*>(std::malloc(sizeof(void*) + kBlocksPerChunk * blockSize_));
    if (!chunk)
        return false;
    NextOf(chunk) = chunks_;
    chunks_ = chunk;
    char* first = chunk + sizeof(void*);
    for (int i = kBlocksPerChunk - 1; i >= 0; --i) {
        void* block = first + i * blockSize_;
        NextOf(block) = free_;
        free_ = block;
        PoisonFree(block, blockSize_);
    }
    return true;
}

void* KIVStringPool::Allocate() {
    EnterCriticalSection(&lock_);
    void* block = nullptr;
    if (free_ || AddChunk()) {
        block = free_;
        free_ = NextOf(block);
        UnpoisonAll(block, blockSize_);
    }
    LeaveCriticalSection(&lock_);
    return block;
}

void KIVStringPool::Free(void* block) {
    EnterCriticalSection(&lock_);
    NextOf(block) = free_;
    free_ = block;
    PoisonFree(block, blockSize_);
    LeaveCriticalSection(&lock_);
}

int KIVStringPool::FreeBlocks() const {
    EnterCriticalSection(&lock_);
    int count = 0;
    for (void* block = free_; block; block = NextOf(block))
        ++count;
    LeaveCriticalSection(&lock_);
    return count;
}

int KIVStringPool::Chunks() const {
    EnterCriticalSection(&lock_);
    int count = 0;
    for (void* chunk = chunks_; chunk; chunk = NextOf(chunk))
        ++count;
    LeaveCriticalSection(&lock_);
    return count;
}
