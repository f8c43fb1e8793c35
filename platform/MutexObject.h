// A mutex of CreateMutex. A named one is machine-wide: it is held, between
// the processes of the machine, as a flock() lock on a file of its own in the
// machine root ("<root>/mutexes/<name>"), which the host lets go when the
// owning process ends, however it ends. Within a process, every open of one
// name is the same object, owned by one thread at a time and recursively, as
// on Windows. Internal to the platform layer.
#pragma once

#include "platform/KernelObject.h"

#include <memory>
#include <mutex>
#include <string>

class MutexObject : public KernelObject {
public:
    // The mutex of that name, made when this process has none yet (an empty
    // name gives a new unnamed one); *existed tells whether this process
    // already had it. Null with the last error set when its file cannot be
    // made.
    static std::shared_ptr<MutexObject> Open(const std::string& name, bool* existed);
    explicit MutexObject(int fd) : fd_(fd) {}
    ~MutexObject() override;
    MutexObject(const MutexObject&) = delete;
    MutexObject& operator=(const MutexObject&) = delete;

    // Takes the mutex for the calling thread when it is free, or once more
    // when that thread owns it.
    DWORD TryWait() override;
    // Gives up one ownership of the calling thread; false when it owns none.
    bool Release();

private:
    const int fd_; // the lock file; -1 for an unnamed mutex
    std::mutex lock_;
    DWORD owner_ = 0; // the owning thread while count_ > 0
    unsigned count_ = 0;
};
