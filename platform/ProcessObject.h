// A started host process. The process handle and the thread handle of
// CreateProcess are two objects over one shared state. Internal to the
// platform layer.
#pragma once

#include "platform/KernelObject.h"

#include <memory>
#include <mutex>
#include <sys/types.h>

class ProcessObject : public KernelObject {
public:
    class State {
    public:
        explicit State(pid_t pid) : pid_(pid) {}
        ~State();
        State(const State&) = delete;
        State& operator=(const State&) = delete;

        pid_t Pid() const { return pid_; }
        // Collects the exit status when the process has ended, without
        // waiting; returns whether it has ended and its exit code.
        bool Poll(DWORD* exitCode);

    private:
        pid_t pid_;
        std::mutex lock_;
        bool ended_ = false;
        DWORD exitCode_ = 0;
    };

    explicit ProcessObject(std::shared_ptr<State> state) : state_(std::move(state)) {}
    State& Process() { return *state_; }
    // Signalled once the process has ended.
    DWORD TryWait() override;

private:
    std::shared_ptr<State> state_;
};
