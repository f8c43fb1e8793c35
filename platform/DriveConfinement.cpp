#include "platform/DriveConfinement.h"

#include "platform/HostPath.h"
#include "platform/Machine.h"

#include <array>
#include <climits>
#include <cstdlib>
#include <mutex>
#include <sys/stat.h>

namespace DriveConfinement {
namespace {

struct InsideFolder {
    std::string path;
    dev_t device = 0;
    ino_t inode = 0;
};

std::mutex mutex;
std::string driveFolder, realDrive; // the drive folder and where it really is
std::array<InsideFolder, 8> inside; // folders known to resolve inside it
std::size_t nextSlot = 0;

std::string RealPath(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

bool Within(const std::string& real) {
    return !real.empty() &&
           (real == realDrive ||
            (real.size() > realDrive.size() && real.compare(0, realDrive.size(), realDrive) == 0 &&
             real[realDrive.size()] == '/'));
}

// The drive folder of the machine in use; false when the path is not below it.
bool OnDrive(const std::string& hostPath) {
    std::string drive = Machine::Current().Root() + "/drive_c";
    if (drive != driveFolder || realDrive.empty()) {
        driveFolder = drive;
        realDrive = RealPath(drive);
        inside = {};
    }
    return !realDrive.empty() && hostPath.size() > drive.size() + 1 &&
           hostPath.compare(0, drive.size(), drive) == 0 && hostPath[drive.size()] == '/';
}

// Whether an existing folder resolves inside the drive. A folder that cannot
// be reached does not escape: nothing can be made or read through it.
bool FolderInside(const std::string& folder, const struct stat* known) {
    struct stat info;
    if (known)
        info = *known;
    else if (stat(folder.c_str(), &info) != 0)
        return true;
    for (const InsideFolder& known : inside)
        if (known.path == folder && known.device == info.st_dev && known.inode == info.st_ino)
            return true;
    if (!Within(RealPath(folder)))
        return false;
    inside[nextSlot] = {folder, info.st_dev, info.st_ino};
    nextSlot = (nextSlot + 1) % inside.size();
    return true;
}

// A link as the last component must lead somewhere inside: a link to
// nowhere would make whatever is created through it outside.
bool LastInside(const std::string& hostPath) {
    struct stat info;
    if (lstat(hostPath.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return true;
    return Within(RealPath(hostPath));
}

} // namespace

bool Escapes(const std::string& hostPath, LastLink last, const struct stat* parentInfo) {
    std::lock_guard<std::mutex> lock(mutex);
    if (!OnDrive(hostPath))
        return false;
    if (!FolderInside(HostPath::Parent(hostPath), parentInfo))
        return true;
    return last == LastLink::Follow && !LastInside(hostPath);
}

} // namespace DriveConfinement
