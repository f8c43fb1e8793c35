#include "platform/LinkedFile.h"

#include "platform/HostPath.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace LinkedFile {
namespace {

bool CopyData(const std::string& hostPath, int to) {
    int from = open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (from < 0)
        return false;
    ssize_t copied = 0;
    while ((copied = copy_file_range(from, nullptr, to, nullptr, SSIZE_MAX, 0)) > 0) {
    }
    const int error = errno;
    close(from);
    errno = error;
    return copied == 0 && lseek(to, 0, SEEK_SET) == 0;
}

} // namespace

int Replace(const std::string& hostPath, const struct stat& info, bool keepContent) {
    std::string temporary = HostPath::Parent(hostPath) + "/.kiv-write-XXXXXX";
    int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return -1;
    if ((!keepContent || CopyData(hostPath, fd)) && fchmod(fd, info.st_mode & 07777) == 0 &&
        rename(temporary.c_str(), hostPath.c_str()) == 0)
        return fd;
    const int error = errno;
    close(fd);
    unlink(temporary.c_str());
    errno = error;
    return -1;
}

} // namespace LinkedFile
