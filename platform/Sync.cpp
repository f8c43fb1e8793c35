// Critical sections (recursive mutexes, as Windows' are recursive), sleeping
// and the millisecond tick counter.
#include "platform/WinBase.h"

#include <chrono>
#include <mutex>
#include <thread>

namespace {
std::recursive_mutex* MutexOf(LPCRITICAL_SECTION section) {
    return static_cast<std::recursive_mutex*>(section->Impl);
}
} // namespace

void InitializeCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
    lpCriticalSection->Impl = new std::recursive_mutex;
}

void EnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
    MutexOf(lpCriticalSection)->lock();
}

void LeaveCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
    MutexOf(lpCriticalSection)->unlock();
}

void DeleteCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
    delete MutexOf(lpCriticalSection);
    lpCriticalSection->Impl = nullptr;
}

void Sleep(DWORD dwMilliseconds) {
    if (dwMilliseconds == 0) {
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}

// Milliseconds since an arbitrary start, wrapping at 2^32 as Windows' does.
DWORD GetTickCount() {
    using namespace std::chrono;
    auto since = steady_clock::now().time_since_epoch();
    return static_cast<DWORD>(duration_cast<milliseconds>(since).count());
}
