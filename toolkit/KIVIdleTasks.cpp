#include "toolkit/KIVIdleTasks.h"

#include "toolkit/KIVLock.h"
#include "toolkit/KIVThread.h"

#include <algorithm>

KIVIdleTasks& KIVIdleTasks::Application() {
    // Never destroyed: a worker may still leave the list while the process ends.
    static KIVIdleTasks* list = new KIVIdleTasks;
    return *list;
}

KIVIdleTasks::KIVIdleTasks() {
    InitializeCriticalSection(&lock_);
}

KIVIdleTasks::~KIVIdleTasks() {
    DeleteCriticalSection(&lock_);
}

void KIVIdleTasks::Add(KIVThread* thread) {
    KIVLock lock(&lock_);
    if (std::find(threads_.begin(), threads_.end(), thread) == threads_.end())
        threads_.push_back(thread);
}

void KIVIdleTasks::Remove(KIVThread* thread) {
    KIVLock lock(&lock_);
    std::erase(threads_, thread);
}

bool KIVIdleTasks::Contains(const KIVThread* thread) const {
    KIVLock lock(&lock_);
    return std::find(threads_.begin(), threads_.end(), thread) != threads_.end();
}

bool KIVIdleTasks::Run() {
    KIVLock lock(&lock_);
    const std::size_t start = next_;
    for (std::size_t i = start; i < threads_.size(); ++i) {
        if (threads_[i]->FlushDrawing()) {
            next_ = i + 1;
            return true;
        }
    }
    next_ = 0;
    return start != 0;
}
