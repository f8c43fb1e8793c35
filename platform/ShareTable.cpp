#include "platform/ShareTable.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Far beyond the largest file any host file system can hold.
constexpr off_t kBase = static_cast<off_t>(1) << 62;
constexpr int kImageSlot = 32;
constexpr int kSlots = 33;

// Request and slot bits: read 1, write 2, delete 4, as the FILE_SHARE_* bits.
constexpr DWORD kRead = 1, kWrite = 2, kDeleteBit = 4, kAll = 7;

DWORD AccessBits(DWORD access) {
    return ((access & GENERIC_READ) ? kRead : 0) | ((access & GENERIC_WRITE) ? kWrite : 0) |
           ((access & ShareTable::kDelete) ? kDeleteBit : 0);
}

struct Held {
    DWORD access;
    DWORD share;
};

Held SlotOpen(int slot) {
    if (slot == kImageSlot)
        return {kRead, kRead | kDeleteBit};
    return {static_cast<DWORD>(slot) >> 3, static_cast<DWORD>(slot) & kAll};
}

bool Conflicts(const Held& held, DWORD access, DWORD share) {
    return (access & ~held.share & kAll) || (held.access & ~share & kAll);
}

struct flock Range(short type, int first, int end) {
    struct flock range = {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = kBase + first;
    range.l_len = end - first;
    return range;
}

// What the locks of other descriptions in slots [first, end) say about a
// request; splits around each lock found. A host that cannot answer
// enforces nothing.
struct Finding {
    bool conflict = false;
    bool image = false;
};

void Search(int fd, int first, int end, DWORD access, DWORD share, Finding* finding) {
    if (first >= end || finding->conflict)
        return;
    struct flock probe = Range(F_WRLCK, first, end);
    if (fcntl(fd, F_OFD_GETLK, &probe) != 0 || probe.l_type == F_UNLCK)
        return;
    // A host program's lock may cover many slots, or run to the end (0).
    off_t from = probe.l_start - kBase;
    off_t to = probe.l_len == 0 ? end : from + probe.l_len;
    int lockFirst = from < first ? first : from > end ? end : static_cast<int>(from);
    int lockEnd = to > end ? end : to < lockFirst ? lockFirst : static_cast<int>(to);
    if (lockFirst == lockEnd)
        return; // not within the range asked about: no answer to trust
    for (int slot = lockFirst; slot < lockEnd; ++slot) {
        finding->conflict = finding->conflict || Conflicts(SlotOpen(slot), access, share);
        finding->image = finding->image || slot == kImageSlot;
    }
    Search(fd, first, lockFirst, access, share, finding);
    Search(fd, lockEnd, end, access, share, finding);
}

DWORD Verdict(int fd, DWORD access, DWORD share) {
    Finding finding;
    Search(fd, 0, kSlots, access, share, &finding);
    if (finding.conflict)
        return ERROR_SHARING_VIOLATION;
    return finding.image && (access & kDeleteBit) ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
}

// Takes the shared lock of a slot, then looks at the others. A host
// program's exclusive lock over the slot refuses the open.
DWORD Hold(int fd, int slot, DWORD access, DWORD share) {
    struct flock lock = Range(F_RDLCK, slot, slot + 1);
    if (fcntl(fd, F_OFD_SETLK, &lock) != 0 && (errno == EAGAIN || errno == EACCES))
        return ERROR_SHARING_VIOLATION;
    return Verdict(fd, access, share);
}

} // namespace

namespace ShareTable {

DWORD Acquire(int fd, DWORD access, DWORD share) {
    DWORD bits = AccessBits(access) & (kRead | kWrite);
    share &= kAll;
    if (bits == 0 && share == kAll)
        return ERROR_SUCCESS; // conflicts with nothing: nothing to hold
    return Hold(fd, static_cast<int>(bits * 8 + share), bits, share);
}

DWORD AcquireImage(int fd) {
    Held image = SlotOpen(kImageSlot);
    return Hold(fd, kImageSlot, image.access, image.share);
}

DWORD Check(int fd, DWORD access, DWORD share) {
    return Verdict(fd, AccessBits(access), share & kAll);
}

DWORD CheckPath(const std::string& hostPath, const struct stat& info, DWORD access, DWORD share) {
    if (!S_ISREG(info.st_mode))
        return ERROR_SUCCESS;
    int fd = open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return ERROR_SUCCESS;
    DWORD result = Check(fd, access, share);
    close(fd);
    return result;
}

} // namespace ShareTable
