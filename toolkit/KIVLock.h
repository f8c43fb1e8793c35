// KIVLock: holds a critical section for the lifetime of a block, so that
// every way out of the block leaves it again.
#pragma once

#include "platform/WinBase.h"

class KIVLock {
public:
    explicit KIVLock(LPCRITICAL_SECTION section) : section_(section) {
        EnterCriticalSection(section_);
    }
    ~KIVLock() { LeaveCriticalSection(section_); }
    KIVLock(const KIVLock&) = delete;
    KIVLock& operator=(const KIVLock&) = delete;

private:
    LPCRITICAL_SECTION section_;
};
