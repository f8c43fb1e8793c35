#include "platform/FolderNameCache.h"

#include "platform/CaseFold.h"

#include <array>
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
    unsigned long lastUse = 0;
    bool valid = false;

    bool Matches(const struct stat& info) const {
        return valid && device == info.st_dev && inode == info.st_ino &&
               changed.tv_sec == info.st_mtim.tv_sec && changed.tv_nsec == info.st_mtim.tv_nsec;
    }
    void Remember(const struct stat& info) {
        device = info.st_dev;
        inode = info.st_ino;
        changed = info.st_mtim;
    }
};

// A few folders, so that work that alternates between folders (a copy, an
// extraction that also writes a log) does not list them over and over.
std::mutex mutex;
std::array<Listing, 4> listings;
unsigned long uses = 0;

std::size_t Key(const std::string& name) {
    return std::hash<std::u32string>()(CaseFold::Fold(name));
}

Listing* Find(const std::string& folder) {
    for (Listing& listing : listings)
        if (listing.valid && listing.folder == folder)
            return &listing;
    return nullptr;
}

// The folder's own slot, else a free one, else the least recently used.
Listing* Slot(const std::string& folder) {
    if (Listing* same = Find(folder))
        return same;
    Listing* oldest = &listings[0];
    for (Listing& listing : listings) {
        if (!listing.valid)
            return &listing;
        if (listing.lastUse < oldest->lastUse)
            oldest = &listing;
    }
    return oldest;
}

// Lists the folder anew. Its change time was taken before the listing: a
// change made while listing shows as a different time at the next use.
Listing* Load(const std::string& folder, const struct stat& info) {
    Listing* slot = Slot(folder);
    slot->valid = false;
    slot->names.clear();
    DIR* dir = opendir(folder.empty() ? "/" : folder.c_str());
    if (!dir)
        return nullptr;
    while (const dirent* entry = readdir(dir))
        slot->names.insert(Key(entry->d_name));
    closedir(dir);
    slot->folder = folder;
    slot->Remember(info);
    slot->valid = true;
    return slot;
}

} // namespace

bool MayHold(const std::string& folder, const struct stat& info, const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex);
    Listing* listing = Find(folder);
    if ((!listing || !listing->Matches(info)) && !(listing = Load(folder, info)))
        return true;
    listing->lastUse = ++uses;
    return listing->names.count(Key(name)) != 0;
}

bool Remembers(const std::string& folder) {
    std::lock_guard<std::mutex> lock(mutex);
    return Find(folder) != nullptr;
}

bool SurelyAbsent(const std::string& folder, const struct stat& info, const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex);
    Listing* listing = Find(folder);
    if (!listing || !listing->Matches(info))
        return false;
    listing->lastUse = ++uses;
    return listing->names.count(Key(name)) == 0;
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
    Listing* listing = Find(folder);
    if (!listing)
        return;
    struct stat info;
    if (stat(folder.empty() ? "/" : folder.c_str(), &info) != 0) {
        listing->valid = false;
        return;
    }
    listing->names.insert(Key(hostPath.substr(slash + 1)));
    listing->Remember(info);
}

} // namespace FolderNameCache
