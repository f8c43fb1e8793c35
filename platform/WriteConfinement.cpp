#include "platform/WriteConfinement.h"

#include "platform/HostPath.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <linux/openat2.h>
#include <mutex>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace WriteConfinement {
namespace {

std::mutex mutex;
std::string confined; // the confined folder; empty when none
int confinedFd = -1;  // opened at the first write beneath it
std::atomic<bool> kernelResolves{true};

int OpenWithKernel(int rootFd, const std::string& relative) {
    struct open_how how = {};
    how.flags = O_PATH | O_DIRECTORY | O_CLOEXEC;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
    const char* path = relative.empty() ? "." : relative.c_str();
    return static_cast<int>(syscall(SYS_openat2, rootFd, path, &how, sizeof how));
}

// One component at a time, never through a link, never up.
int OpenByWalking(int rootFd, const std::string& relative) {
    int fd = fcntl(rootFd, F_DUPFD_CLOEXEC, 0);
    for (std::size_t start = 0; fd >= 0 && start < relative.size();) {
        std::size_t end = relative.find('/', start);
        if (end == std::string::npos)
            end = relative.size();
        const std::string name = relative.substr(start, end - start);
        start = end + 1;
        if (name.empty() || name == ".")
            continue;
        int next = name == ".." ? (errno = EXDEV, -1)
                                : openat(fd, name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
        struct stat info = {};
        if (next >= 0 && (fstat(next, &info) != 0 || !S_ISDIR(info.st_mode))) {
            const int error = S_ISLNK(info.st_mode) ? ELOOP : ENOTDIR;
            close(next);
            next = (errno = error, -1);
        }
        const int error = errno;
        close(fd);
        fd = next;
        errno = error;
    }
    return fd;
}

// The confined folder's descriptor and the path beneath it, or false when
// hostPath does not lie strictly beneath it.
bool Beneath(const std::string& hostPath, int* rootFd, std::string* relative) {
    std::lock_guard<std::mutex> lock(mutex);
    if (confined.empty() || hostPath.size() <= confined.size() + 1 ||
        hostPath.compare(0, confined.size(), confined) != 0 || hostPath[confined.size()] != '/')
        return false;
    if (confinedFd < 0)
        confinedFd = open(confined.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    *rootFd = confinedFd;
    *relative = hostPath.substr(confined.size() + 1);
    return true;
}

int OpenFolder(int rootFd, const std::string& relative) {
    if (kernelResolves) {
        const int fd = OpenBeneath(rootFd, relative, Resolver::kKernel);
        if (fd >= 0 || errno != ENOSYS)
            return fd;
        kernelResolves = false;
    }
    return OpenBeneath(rootFd, relative, Resolver::kWalk);
}

} // namespace

void Confine(const std::string& hostFolder) {
    std::lock_guard<std::mutex> lock(mutex);
    if (confinedFd >= 0)
        close(confinedFd);
    confinedFd = -1;
    confined = hostFolder;
    while (confined.size() > 1 && confined.back() == '/')
        confined.pop_back();
}

int OpenBeneath(int rootFd, const std::string& relative, Resolver resolver) {
    return resolver == Resolver::kKernel ? OpenWithKernel(rootFd, relative)
                                         : OpenByWalking(rootFd, relative);
}

Parent::~Parent() {
    if (fd_ >= 0)
        close(fd_);
}

bool Parent::Resolve(std::string* hostPath) {
    int rootFd = -1;
    std::string relative;
    if (!Beneath(*hostPath, &rootFd, &relative))
        return true;
    const std::size_t slash = relative.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : relative.substr(0, slash);
    const std::string name = relative.substr(slash == std::string::npos ? 0 : slash + 1);
    fd_ = rootFd < 0 || name == ".." ? (errno = EXDEV, -1) : OpenFolder(rootFd, folder);
    if (fd_ < 0) {
        const bool escapes = errno == EXDEV || errno == ELOOP;
        SetLastError(escapes ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND);
        return false;
    }
    *hostPath = "/proc/self/fd/" + std::to_string(fd_) + "/" + name;
    return true;
}

} // namespace WriteConfinement
