// The cancel and pause bytes that the progress page sets and the file
// installation polls: a null flag is never set; a set pause byte holds the
// work in 10 ms sleeps until it is cleared.
#pragma once

#include "platform/Windows.h"

#include <atomic>

inline bool IsInstallFlagSet(const std::atomic<unsigned char>* flag) {
    return flag && flag->load(std::memory_order_acquire) != 0;
}

inline void WaitWhileInstallPaused(const std::atomic<unsigned char>* pause) {
    while (IsInstallFlagSet(pause))
        Sleep(10);
}
