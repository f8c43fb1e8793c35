// InstallMutex: the machine-wide lock that keeps installations apart. The
// setup (with pages or without), kivtool install and kivtool uninstall hold
// it for their whole run: they share one staging folder, the shared-library
// counts and the system folder, and two at once would mix their files.
//
//   InstallMutex lock;
//   if (lock.Acquire() == InstallMutex::kBusy) -> "another installation is in progress"
#pragma once

#include "platform/WinTypes.h"

class InstallMutex {
public:
    // How long a second installation waits for the first one.
    static constexpr DWORD kWaitMilliseconds = 5000;
    enum Result { kHeld, kBusy, kFailed };

    InstallMutex() = default;
    ~InstallMutex();
    InstallMutex(const InstallMutex&) = delete;
    InstallMutex& operator=(const InstallMutex&) = delete;

    // Takes the lock, waiting at most wait milliseconds for another holder:
    // kHeld (also when this object holds it already), kBusy when another
    // still holds it, kFailed when the lock cannot be made.
    Result Acquire(DWORD wait = kWaitMilliseconds);
    // Lets it go; the destructor does too.
    void Release();

private:
    HANDLE handle_ = nullptr;
};
