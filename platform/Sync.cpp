// Critical sections (recursive mutexes, as Windows' are recursive), mutexes
// (see MutexObject), waiting, sleeping and the millisecond tick counter.
#include "platform/HostText.h"
#include "platform/MutexObject.h"
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

namespace {

HANDLE CreateMutexUtf8(BOOL initialOwner, const std::string& name) {
    bool existed = false;
    std::shared_ptr<MutexObject> mutex = MutexObject::Open(name, &existed);
    if (!mutex)
        return nullptr;
    if (initialOwner)
        mutex->TryWait();
    HANDLE handle = KernelObject::Insert(mutex);
    SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

} // namespace

HANDLE CreateMutexW(LPSECURITY_ATTRIBUTES, BOOL bInitialOwner, LPCWSTR lpName) {
    return CreateMutexUtf8(bInitialOwner, HostText::FromWide(lpName));
}

HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES, BOOL bInitialOwner, LPCSTR lpName) {
    return CreateMutexUtf8(bInitialOwner, HostText::FromAnsi(lpName));
}

BOOL ReleaseMutex(HANDLE hMutex) {
    std::shared_ptr<MutexObject> mutex = KernelObject::LookupAs<MutexObject>(hMutex);
    if (!mutex || !mutex->Release()) {
        SetLastError(mutex ? ERROR_NOT_OWNER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

// Looks again at growing steps of up to 20 ms: a process's end and another
// process's lock have no event to wait on.
DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
    std::shared_ptr<KernelObject> object = KernelObject::Lookup(hHandle);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    const auto start = std::chrono::steady_clock::now();
    for (DWORD step = 1;; step = step < 20 ? step * 2 : 20) {
        const DWORD result = object->TryWait();
        if (result != WAIT_TIMEOUT)
            return result;
        const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        if (dwMilliseconds != INFINITE && waited.count() >= dwMilliseconds)
            return WAIT_TIMEOUT;
        Sleep(step);
    }
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
