// The calling thread's identifier: the host's thread id.
#include "platform/WinBase.h"

#include <unistd.h>

DWORD GetCurrentThreadId() {
    static thread_local DWORD id = static_cast<DWORD>(gettid());
    return id;
}
