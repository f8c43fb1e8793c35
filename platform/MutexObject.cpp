#include "platform/MutexObject.h"

#include "platform/Machine.h"
#include "platform/WinBase.h"

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::mutex namedLock;
std::map<std::string, std::weak_ptr<MutexObject>> named; // by root and name

// The name as one file name: Windows names may hold "\" ("Global\...").
std::string FileName(const std::string& name) {
    std::string file = name;
    for (char& c : file)
        if (c == '\\' || c == '/')
            c = '_';
    return file;
}

int OpenLockFile(const std::string& root, const std::string& name) {
    const std::string folder = root + "/mutexes";
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return -1;
    return open((folder + "/" + FileName(name)).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW,
                0600);
}

} // namespace

std::shared_ptr<MutexObject> MutexObject::Open(const std::string& name, bool* existed) {
    *existed = false;
    if (name.empty())
        return std::make_shared<MutexObject>(-1);
    const std::string root = Machine::Current().Root();
    std::lock_guard<std::mutex> guard(namedLock);
    std::weak_ptr<MutexObject>& slot = named[root + "\n" + name];
    if (std::shared_ptr<MutexObject> mutex = slot.lock()) {
        *existed = true;
        return mutex;
    }
    int fd = OpenLockFile(root, name);
    if (fd < 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    auto mutex = std::make_shared<MutexObject>(fd);
    slot = mutex;
    return mutex;
}

MutexObject::~MutexObject() {
    if (fd_ >= 0)
        close(fd_);
}

DWORD MutexObject::TryWait() {
    std::lock_guard<std::mutex> guard(lock_);
    const DWORD self = GetCurrentThreadId();
    if (count_ > 0 && owner_ != self)
        return WAIT_TIMEOUT;
    if (count_ == 0 && fd_ >= 0 && flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK || errno == EINTR)
            return WAIT_TIMEOUT;
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    owner_ = self;
    ++count_;
    return WAIT_OBJECT_0;
}

bool MutexObject::Release() {
    std::lock_guard<std::mutex> guard(lock_);
    if (count_ == 0 || owner_ != GetCurrentThreadId())
        return false;
    if (--count_ == 0 && fd_ >= 0)
        flock(fd_, LOCK_UN);
    return true;
}
