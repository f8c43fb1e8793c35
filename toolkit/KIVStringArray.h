// KIVStringArray: a growable array of KIVString values. Growing adds the
// growth step to the capacity (or goes straight to the new size when that is
// larger); an automatic step (0) is a eighth of the current size, 4 to 1024.
#pragma once

#include "toolkit/KIVString.h"

class KIVStringArray {
public:
    KIVStringArray() = default;
    KIVStringArray(const KIVStringArray& other);
    KIVStringArray& operator=(const KIVStringArray& other);
    ~KIVStringArray();

    // New elements are empty; elements beyond a smaller size are destroyed; 0
    // frees the array. growBy -1 keeps the current step, 0 makes it automatic.
    // Returns false, leaving the array as it was, when memory runs out.
    bool SetSize(int newSize, int growBy = -1);
    int GetSize() const { return size_; }
    int GetCapacity() const { return capacity_; }

    // The caller keeps 0 <= index < GetSize().
    KIVString& operator[](int index) { return data_[index]; }
    const KIVString& operator[](int index) const { return data_[index]; }

private:
    bool Grow(int newSize);
    void DestroyFrom(int index);

    KIVString* data_ = nullptr;
    int size_ = 0;
    int capacity_ = 0;
    int growBy_ = 0;
};
