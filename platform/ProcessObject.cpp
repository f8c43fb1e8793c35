#include "platform/ProcessObject.h"

#include "platform/WinBase.h"

#include <sys/wait.h>
#include <thread>

// A process whose handles are all closed while it still runs is collected by
// a waiting thread, so that it never lingers as a zombie.
ProcessObject::State::~State() {
    DWORD ignored = 0;
    if (Poll(&ignored))
        return;
    pid_t pid = pid_;
    std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
}

bool ProcessObject::State::Poll(DWORD* exitCode) {
    std::lock_guard<std::mutex> lock(lock_);
    if (!ended_) {
        int status = 0;
        pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            ended_ = true;
            // A process killed by a signal reports 128 + the signal, as a shell does.
            exitCode_ = WIFEXITED(status)     ? static_cast<DWORD>(WEXITSTATUS(status))
                        : WIFSIGNALED(status) ? static_cast<DWORD>(128 + WTERMSIG(status))
                                              : 1u;
        } else if (done < 0) {
            ended_ = true; // collected elsewhere: its code is lost
            exitCode_ = 1;
        }
    }
    *exitCode = ended_ ? exitCode_ : static_cast<DWORD>(STILL_ACTIVE);
    return ended_;
}
