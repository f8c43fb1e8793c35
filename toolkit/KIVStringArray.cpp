#include "toolkit/KIVStringArray.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

static_assert(sizeof(KIVString) == sizeof(void*), "a value is one pointer and moves as such");

KIVStringArray::KIVStringArray(const KIVStringArray& other) : growBy_(other.growBy_) {
    *this = other;
}

KIVStringArray& KIVStringArray::operator=(const KIVStringArray& other) {
    if (this == &other)
        return *this;
    SetSize(0);
    if (!SetSize(other.size_))
        return *this;
    for (int i = 0; i < size_; ++i)
        data_[i] = other.data_[i];
    return *this;
}

KIVStringArray::~KIVStringArray() { SetSize(0); }

void KIVStringArray::DestroyFrom(int index) {
    for (int i = index; i < size_; ++i)
        data_[i].~KIVString();
}

// A KIVString is a single pointer to its buffer, so the values move to the
// new array as they are, without touching their counts.
bool KIVStringArray::Grow(int newSize) {
    const int step = growBy_ > 0 ? growBy_ : std::clamp(size_ / 8, 4, 1024);
    const long long wanted = std::max<long long>(static_cast<long long>(capacity_) + step, newSize);
    const int capacity = static_cast<int>(std::min<long long>(wanted, INT32_MAX / sizeof(KIVString)));
    if (capacity < newSize)
        return false;
    void* block = std::malloc(static_cast<std::size_t>(capacity) * sizeof(KIVString));
    if (!block)
        return false;
    auto* data = static_cast<KIVString*>(block);
    if (size_ > 0)
        std::memcpy(static_cast<void*>(data), static_cast<const void*>(data_), size_ * sizeof(KIVString));
    std::free(data_);
    data_ = data;
    capacity_ = capacity;
    return true;
}

bool KIVStringArray::SetSize(int newSize, int growBy) {
    if (growBy != -1)
        growBy_ = std::max(growBy, 0);
    newSize = std::max(newSize, 0);
    if (newSize == 0) {
        DestroyFrom(0);
        std::free(data_);
        data_ = nullptr;
        size_ = capacity_ = 0;
        return true;
    }
    if (newSize > capacity_ && !Grow(newSize))
        return false;
    if (newSize < size_)
        DestroyFrom(newSize);
    for (int i = size_; i < newSize; ++i)
        new (&data_[i]) KIVString();
    size_ = newSize;
    return true;
}
