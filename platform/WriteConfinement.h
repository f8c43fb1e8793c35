// Keeps the writes beneath a host folder that a tool writes into (the
// destination of "kivtool pack extract") inside that folder, whatever links
// it holds: a folder link planted in it must not carry a member out to the
// host. Only paths strictly beneath the folder are confined; the folder
// itself and the folders above it are the person's choice. Internal to the
// platform layer; tools reach it through Machine::ConfineWrites.
//
// The folder of each path written is opened beneath the confined folder by
// the kernel (openat2 with RESOLVE_BENEATH: a link is followed only while
// it stays beneath, an absolute one never), and the write then names the
// entry through that open folder ("/proc/self/fd/N/name"), so no link swapped
// in between the check and the write can redirect it. The last component is
// left to the caller's own rules (a write never follows a link there).
// Without openat2 (a kernel before 5.6: ENOSYS) the folders are opened one
// component at a time and any link on the way is refused.
//
// Confined: CreateFile when it may write or create, CreateDirectory,
// RemoveDirectory and DeleteFile.
#pragma once

#include <string>

namespace WriteConfinement {

// Confines the writes beneath hostFolder (absolute, without "." or ".."
// components) from now on; an empty path ends the confinement.
void Confine(const std::string& hostFolder);

// The folder of a path, opened beneath the confined folder for as long as
// the object lives.
class Parent {
public:
    Parent() = default;
    ~Parent();
    Parent(const Parent&) = delete;
    Parent& operator=(const Parent&) = delete;

    // A path strictly beneath the confined folder is turned into the same
    // entry named through its folder opened beneath it; other paths stay as
    // they are. False with the last error set (ERROR_ACCESS_DENIED when the
    // folder lies outside, through a link or "..") otherwise.
    bool Resolve(std::string* hostPath);

private:
    int fd_ = -1;
};

// How folders are opened beneath another: by the kernel, or one component
// at a time (the fallback, also for the tests).
enum class Resolver { kKernel, kWalk };

// Opens the folder relative (components separated by "/"; empty: the folder
// itself) beneath the folder rootFd as an O_PATH descriptor. -1 with errno
// set on failure: EXDEV or ELOOP when it would leave rootFd's folder, ENOSYS
// when the kernel has no openat2.
int OpenBeneath(int rootFd, const std::string& relative, Resolver resolver);

} // namespace WriteConfinement
