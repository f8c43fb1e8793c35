// Reading and writing of KIVFileStream: files through the platform handle,
// memory through the global block, and the tagged values.
//
// [SECTION] Files
// [SECTION] Memory blocks
// [SECTION] Tagged values
#include "toolkit/KIVFileStream.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

void Reverse(BYTE* bytes, int count) {
    std::reverse(bytes, bytes + count);
}

bool IsFileReadMode(int mode) {
    return mode == KIVFileStream::kRead || mode == KIVFileStream::kRawRead ||
           (mode >= KIVFileStream::kReadWriteMarked && mode <= KIVFileStream::kAppend);
}

bool IsFileWriteMode(int mode) {
    return mode == KIVFileStream::kWrite || mode == KIVFileStream::kRawWrite ||
           (mode >= KIVFileStream::kReadWriteMarked && mode <= KIVFileStream::kAppend);
}

} // namespace

// [SECTION] Files

int KIVFileStream::Read(void* buffer, int count) {
    if (!buffer || count <= 0)
        return 0;
    if (mode_ == kMemoryRead)
        return ReadMemory(buffer, count);
    if (!IsFileReadMode(mode_) || handle_ == INVALID_HANDLE_VALUE)
        return 0;
    DWORD read = 0;
    BOOL ok = ReadFile(handle_, buffer, static_cast<DWORD>(count), &read, nullptr);
    if (!ok || read < static_cast<DWORD>(count))
        endReached_ = true;
    return ok ? static_cast<int>(read) : 0;
}

int KIVFileStream::ReadOrdered(void* buffer, int count) {
    int read = Read(buffer, count);
    if (!native_ && read > 0)
        Reverse(static_cast<BYTE*>(buffer), read);
    return read;
}

int KIVFileStream::Write(const void* buffer, int count) {
    if (!buffer || count <= 0)
        return 0;
    if (mode_ == kMemoryWrite)
        return WriteMemory(buffer, count);
    if (!IsFileWriteMode(mode_) || handle_ == INVALID_HANDLE_VALUE)
        return 0;
    DWORD written = 0;
    if (!WriteFile(handle_, buffer, static_cast<DWORD>(count), &written, nullptr))
        return 0;
    return static_cast<int>(written);
}

int KIVFileStream::WriteOrdered(const void* buffer, int count) {
    if (native_ || !buffer || count <= 0)
        return Write(buffer, count);
    BYTE reversed[8];
    if (count > static_cast<int>(sizeof reversed))
        return 0;
    std::memcpy(reversed, buffer, static_cast<size_t>(count));
    Reverse(reversed, count);
    return Write(reversed, count);
}

// [SECTION] Memory blocks

// A memory read never leaves the block, whatever the caller asks: the bytes
// that are there are copied and a short read sets the end-reached flag.
int KIVFileStream::ReadMemory(void* buffer, int count) {
    if (handle_ == INVALID_HANDLE_VALUE || position_ < 0)
        return 0;
    SIZE_T blockSize = GlobalSize(handle_);
    if (static_cast<SIZE_T>(position_) >= blockSize) {
        endReached_ = true;
        return 0;
    }
    SIZE_T available = blockSize - static_cast<SIZE_T>(position_);
    int n = available < static_cast<SIZE_T>(count) ? static_cast<int>(available) : count;
    auto* base = static_cast<const BYTE*>(GlobalLock(handle_));
    if (!base)
        return 0;
    std::memcpy(buffer, base + position_, static_cast<size_t>(n));
    GlobalUnlock(handle_);
    position_ += n;
    if (n < count)
        endReached_ = true;
    return n;
}

// Moves the data into a new block whose capacity is the old one plus whole
// growth steps, at least `needed`. The bytes below the position are kept
// (no more than the old block holds); the rest of the new block is zero.
bool KIVFileStream::Grow(int needed) {
    long long capacity = capacity_;
    while (capacity < needed)
        capacity += growthStep_;
    if (capacity > INT_MAX)
        return false;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(capacity));
    if (!block)
        return false;
    auto* target = static_cast<BYTE*>(GlobalLock(block));
    auto* source = static_cast<const BYTE*>(GlobalLock(handle_));
    if (!target || !source) {
        if (source)
            GlobalUnlock(handle_);
        GlobalFree(block);
        return false;
    }
    std::memcpy(target, source, static_cast<size_t>(std::min(position_, capacity_)));
    GlobalUnlock(handle_);
    GlobalUnlock(block);
    GlobalFree(handle_);
    handle_ = block;
    capacity_ = static_cast<int>(capacity);
    return true;
}

int KIVFileStream::WriteMemory(const void* buffer, int count) {
    if (handle_ == INVALID_HANDLE_VALUE || position_ < 0)
        return 0;
    long long end = static_cast<long long>(position_) + count;
    if (end > INT_MAX)
        return 0;
    if (end >= capacity_ && !Grow(static_cast<int>(end)))
        return 0;
    auto* base = static_cast<BYTE*>(GlobalLock(handle_));
    if (!base)
        return 0;
    std::memcpy(base + position_, buffer, static_cast<size_t>(count));
    GlobalUnlock(handle_);
    position_ = static_cast<int>(end);
    size_ = std::max(size_, position_);
    return count;
}

// [SECTION] Tagged values

bool KIVFileStream::ReadTag(WORD expected) {
    WORD tag = 0;
    return ReadOrdered(&tag, 2) == 2 && tag == expected;
}

bool KIVFileStream::WriteTag(WORD tag) {
    return WriteOrdered(&tag, 2) == 2;
}

bool KIVFileStream::ReadTaggedByte(BYTE* value) {
    BYTE read = 0;
    bool ok = ReadTag(0) && Read(&read, 1) == 1;
    if (ok && value)
        *value = read;
    return ok;
}

bool KIVFileStream::WriteTaggedByte(BYTE value) {
    return WriteTag(0) && Write(&value, 1) == 1;
}

bool KIVFileStream::ReadTaggedLong(LONG* value) {
    LONG read = 0;
    bool ok = ReadTag(2) && ReadOrdered(&read, 4) == 4;
    if (ok && value)
        *value = read;
    return ok;
}

bool KIVFileStream::WriteTaggedLong(LONG value) {
    return WriteTag(2) && WriteOrdered(&value, 4) == 4;
}

bool KIVFileStream::ReadTaggedColour(DWORD* colour) {
    BYTE third = 0, second = 0, first = 0;
    bool ok = ReadTag(8) && Read(&third, 1) == 1 && Read(&second, 1) == 1 && Read(&first, 1) == 1;
    if (ok && colour)
        *colour = static_cast<DWORD>(first) | static_cast<DWORD>(second) << 8 |
                  static_cast<DWORD>(third) << 16;
    return ok;
}

bool KIVFileStream::WriteTaggedColour(DWORD colour) {
    BYTE third = static_cast<BYTE>(colour >> 16);
    BYTE second = static_cast<BYTE>(colour >> 8);
    BYTE first = static_cast<BYTE>(colour);
    return WriteTag(8) && Write(&third, 1) == 1 && Write(&second, 1) == 1 && Write(&first, 1) == 1;
}
