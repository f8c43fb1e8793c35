#include "engine/InstallMutex.h"

#include "platform/WinBase.h"

InstallMutex::~InstallMutex() {
    Release();
}

InstallMutex::Result InstallMutex::Acquire(DWORD wait) {
    if (handle_)
        return kHeld;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, u"Global\\KivSetupInstallation");
    if (!mutex)
        return kFailed;
    const DWORD waited = WaitForSingleObject(mutex, wait);
    if (waited == WAIT_OBJECT_0) {
        handle_ = mutex;
        return kHeld;
    }
    CloseHandle(mutex);
    return waited == WAIT_TIMEOUT ? kBusy : kFailed;
}

void InstallMutex::Release() {
    if (!handle_)
        return;
    ReleaseMutex(handle_);
    CloseHandle(handle_);
    handle_ = nullptr;
}
