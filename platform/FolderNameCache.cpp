#include "platform/FolderNameCache.h"

#include "platform/CaseFold.h"

#include <dirent.h>
#include <functional>
#include <mutex>
#include <sys/stat.h>
#include <unordered_set>

namespace FolderNameCache {
namespace {

struct Listing {
    std::string folder;
    dev_t device = 0;
    ino_t inode = 0;
    struct timespec changed = {};
    std::unordered_set<std::size_t> names; // hashes of folded names
    bool valid = false;
};

std::mutex mutex;
Listing listing;

std::size_t Key(const std::string& name) {
    return std::hash<std::u32string>()(CaseFold::Fold(name));
}

bool SameFolder(const struct stat& info) {
    return listing.valid && listing.device == info.st_dev && listing.inode == info.st_ino &&
           listing.changed.tv_sec == info.st_mtim.tv_sec &&
           listing.changed.tv_nsec == info.st_mtim.tv_nsec;
}

void Remember(const struct stat& info) {
    listing.device = info.st_dev;
    listing.inode = info.st_ino;
    listing.changed = info.st_mtim;
}

// Lists the folder anew. The change time is taken first: a change made
// while listing shows as a different time at the next use.
bool Load(const std::string& folder, const struct stat& info) {
    listing.valid = false;
    listing.names.clear();
    DIR* dir = opendir(folder.empty() ? "/" : folder.c_str());
    if (!dir)
        return false;
    while (const dirent* entry = readdir(dir))
        listing.names.insert(Key(entry->d_name));
    closedir(dir);
    listing.folder = folder;
    Remember(info);
    listing.valid = true;
    return true;
}

} // namespace

bool MayHold(const std::string& folder, const struct stat& info, const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex);
    if ((listing.folder != folder || !SameFolder(info)) && !Load(folder, info))
        return true;
    return listing.names.count(Key(name)) != 0;
}

// The creation follows the lookup of its own path within one call, which
// checked the folder; so the new change time is taken to differ from the
// checked one by this creation alone.
void NoteCreated(const std::string& hostPath) {
    std::size_t slash = hostPath.rfind('/');
    if (slash == std::string::npos)
        return;
    std::string folder = hostPath.substr(0, slash);
    std::lock_guard<std::mutex> lock(mutex);
    if (!listing.valid || listing.folder != folder)
        return;
    struct stat info;
    if (stat(folder.empty() ? "/" : folder.c_str(), &info) != 0) {
        listing.valid = false;
        return;
    }
    listing.names.insert(Key(hostPath.substr(slash + 1)));
    Remember(info);
}

} // namespace FolderNameCache
