#include "platform/FolderNameCache.h"

#include "platform/CaseFold.h"

#include <array>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <functional>
#include <mutex>
#include <pthread.h>
#include <sys/inotify.h>
#include <unistd.h>
#include <unordered_set>

namespace FolderNameCache {
namespace {

struct Listing {
    std::string folder;
    dev_t device = 0;
    ino_t inode = 0;
    int watch = -1;
    std::unordered_set<std::size_t> names; // hashes of folded names
    unsigned long lastUse = 0;
    bool valid = false;

    bool Matches(const struct stat& info) const {
        return valid && device == info.st_dev && inode == info.st_ino;
    }
};

// A few folders, so that work that alternates between folders (a copy, an
// extraction that also writes a log) does not list them over and over.
std::mutex mutex;
std::array<Listing, 4> listings;
unsigned long uses = 0;
int watcher = -1;
bool watcherTried = false;

const uint32_t kWatchedEvents =
    IN_CREATE | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

std::size_t Key(const std::string& name) {
    return std::hash<std::u32string>()(CaseFold::Fold(name));
}

void ForgetAll() {
    for (Listing& listing : listings)
        listing = Listing();
}

// A forked child shares the parent's watch queue: it starts its own.
void AfterFork() {
    if (watcher >= 0)
        close(watcher);
    watcher = -1;
    watcherTried = false;
    ForgetAll();
}

int Watcher() {
    if (!watcherTried) {
        watcherTried = true;
        static const bool registered = pthread_atfork(nullptr, nullptr, AfterFork) == 0;
        watcher = registered ? inotify_init1(IN_NONBLOCK | IN_CLOEXEC) : -1;
    }
    return watcher;
}

// Two paths of one folder (through a link) share the host's watch.
bool WatchShared(const Listing& slot) {
    for (const Listing& listing : listings)
        if (&listing != &slot && listing.valid && listing.watch == slot.watch)
            return true;
    return false;
}

void Apply(const struct inotify_event& event) {
    if (event.mask & IN_Q_OVERFLOW) {
        ForgetAll(); // names were lost: list again
        return;
    }
    for (Listing& listing : listings) {
        if (!listing.valid || listing.watch != event.wd)
            continue;
        if (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT))
            listing.valid = false;
        else if (event.len > 0)
            listing.names.insert(Key(event.name));
    }
}

// Takes in every name the host has reported since the last call. A read
// that leaves room for another event found the queue empty at that moment,
// so it is the last; the usual case costs one read.
void Drain() {
    alignas(struct inotify_event) char buffer[16384];
    const ssize_t full = sizeof buffer - (sizeof(struct inotify_event) + NAME_MAX + 1);
    for (ssize_t got = full; got >= full;) {
        got = read(watcher, buffer, sizeof buffer);
        if (got <= 0)
            return;
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const struct inotify_event*>(buffer + at);
            Apply(*event);
            at += static_cast<ssize_t>(sizeof(struct inotify_event) + event->len);
        }
    }
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

// Lists the folder anew. The watch is set before the listing, so a name made
// while listing is reported even if the listing missed it.
Listing* Load(const std::string& folder, const struct stat& info) {
    if (Watcher() < 0)
        return nullptr;
    Listing* slot = Slot(folder);
    if (slot->valid && !WatchShared(*slot))
        inotify_rm_watch(watcher, slot->watch);
    *slot = Listing();
    const char* path = folder.empty() ? "/" : folder.c_str();
    int watch = inotify_add_watch(watcher, path, kWatchedEvents);
    if (watch < 0)
        return nullptr;
    DIR* dir = opendir(path);
    if (!dir) {
        inotify_rm_watch(watcher, watch);
        return nullptr;
    }
    while (const dirent* entry = readdir(dir))
        slot->names.insert(Key(entry->d_name));
    closedir(dir);
    slot->folder = folder;
    slot->device = info.st_dev;
    slot->inode = info.st_ino;
    slot->watch = watch;
    slot->valid = true;
    return slot;
}

// A current listing of folder, or null.
Listing* Current(const std::string& folder, const struct stat& info) {
    if (Watcher() < 0)
        return nullptr;
    Drain();
    Listing* listing = Find(folder);
    return listing && listing->Matches(info) ? listing : nullptr;
}

} // namespace

bool MayHold(const std::string& folder, const struct stat& info, const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex);
    Listing* listing = Current(folder, info);
    if (!listing && !(listing = Load(folder, info)))
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
    Listing* listing = Current(folder, info);
    if (!listing)
        return false;
    listing->lastUse = ++uses;
    return listing->names.count(Key(name)) == 0;
}

} // namespace FolderNameCache
