// Global memory blocks. A fixed block's handle is its address, as on
// Windows; a movable block has a handle of its own that GlobalLock turns into
// its address. Every handle is checked against the blocks that exist, so a
// wrong or freed handle fails instead of touching memory.
#include "platform/WinBase.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

namespace {

struct Block {
    void* data;
    SIZE_T size;
    UINT locks;
};

std::mutex blockLock;
std::map<HGLOBAL, Block>& Blocks() {
    static auto* blocks = new std::map<HGLOBAL, Block>;
    return *blocks;
}
ULONG_PTR nextMovable = 0;

// Movable handles are odd numbers, never valid addresses of a block.
HGLOBAL NewMovableHandle() {
    nextMovable += 2;
    return reinterpret_cast<HGLOBAL>(nextMovable | 1u);
}

Block* Find(HGLOBAL handle) {
    auto found = Blocks().find(handle);
    return found == Blocks().end() ? nullptr : &found->second;
}

} // namespace

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes) {
    void* data = (uFlags & GMEM_ZEROINIT) ? std::calloc(dwBytes ? dwBytes : 1, 1)
                                          : std::malloc(dwBytes ? dwBytes : 1);
    if (!data) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(blockLock);
    HGLOBAL handle = (uFlags & GMEM_MOVEABLE) ? NewMovableHandle() : data;
    Blocks()[handle] = {data, dwBytes, 0};
    return handle;
}

LPVOID GlobalLock(HGLOBAL hMem) {
    std::lock_guard<std::mutex> lock(blockLock);
    Block* block = Find(hMem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    ++block->locks;
    return block->data;
}

// TRUE while the block stays locked; FALSE with ERROR_SUCCESS once unlocked.
BOOL GlobalUnlock(HGLOBAL hMem) {
    std::lock_guard<std::mutex> lock(blockLock);
    Block* block = Find(hMem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (block->locks > 0)
        --block->locks;
    SetLastError(ERROR_SUCCESS);
    return block->locks > 0 ? TRUE : FALSE;
}

SIZE_T GlobalSize(HGLOBAL hMem) {
    std::lock_guard<std::mutex> lock(blockLock);
    Block* block = Find(hMem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return block->size;
}

// Null on success; the handle itself when it names no block.
HGLOBAL GlobalFree(HGLOBAL hMem) {
    std::lock_guard<std::mutex> lock(blockLock);
    auto found = Blocks().find(hMem);
    if (found == Blocks().end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return hMem;
    }
    std::free(found->second.data);
    Blocks().erase(found);
    return nullptr;
}
