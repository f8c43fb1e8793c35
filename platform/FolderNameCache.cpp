#include "platform/FolderNameCache.h"

#include "platform/CaseFold.h"
#include "platform/HostPath.h"
#include "platform/Machine.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <functional>
#include <mutex>
#include <pthread.h>
#include <sys/inotify.h>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace FolderNameCache {
namespace {

struct Listing {
    std::string folder;
    struct stat info = {}; // the folder's, when it was listed
    int watch = -1;
    // The watches of the folders above it (see GuardPath), when every
    // one could be set: then no folder of the path can be renamed, removed or
    // replaced without the watch saying so, and the path surely still leads
    // to the folder listed.
    std::vector<int> above;
    bool guarded = false;
    std::unordered_set<std::size_t> names; // hashes of folded names
    unsigned long lastUse = 0;
    bool valid = false;

    bool Matches(const struct stat& other) const {
        return valid && info.st_dev == other.st_dev && info.st_ino == other.st_ino;
    }
    bool Watches(int wd) const {
        return watch == wd || std::find(above.begin(), above.end(), wd) != above.end();
    }
};

// A few folders, so that work that alternates between folders (a copy, an
// extraction that also writes a log) does not list them over and over.
std::mutex mutex;
std::array<Listing, 4> listings;
std::unordered_map<int, int> watchUses; // listings holding each watch
unsigned long uses = 0;
int watcher = -1;
bool watcherTried = false;

// Watches are added to (IN_MASK_ADD): one folder may be listed and lie
// above another listed one, and the host keeps one watch per folder.
const uint32_t kSelfEvents = IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR | IN_MASK_ADD;
const uint32_t kWatchedEvents = IN_CREATE | IN_MOVED_TO | kSelfEvents;

std::size_t Key(const std::string& name) {
    return std::hash<std::u32string>()(CaseFold::Fold(name));
}

int AddWatch(const std::string& folder, uint32_t events) {
    int wd = inotify_add_watch(watcher, folder.c_str(), events);
    if (wd >= 0)
        ++watchUses[wd];
    return wd;
}

void DropWatch(int wd) {
    auto use = watchUses.find(wd);
    if (use == watchUses.end() || --use->second > 0)
        return;
    watchUses.erase(use);
    inotify_rm_watch(watcher, wd);
}

// Gives back the watches a slot holds and empties it.
void Release(Listing& listing) {
    if (listing.watch >= 0)
        DropWatch(listing.watch);
    for (int wd : listing.above)
        DropWatch(wd);
    listing = Listing();
}

void ForgetAll() {
    for (Listing& listing : listings)
        Release(listing);
}

// Watches every folder above folder for being renamed or removed, up to the
// machine's drive folder for a folder on the drive (whose place the drive's
// confinement takes as fixed), else up to the host's root. False when one
// cannot be watched or is a symbolic link (replacing what a link points at
// tells no watch of the link's folder).
bool GuardPath(Listing& listing) {
    const std::string drive = Machine::Current().Root() + "/drive_c";
    const bool onDrive = listing.folder.compare(0, drive.size() + 1, drive + "/") == 0;
    const std::string& top = onDrive ? drive : std::string("/");
    std::string above = listing.folder;
    do {
        above = HostPath::Parent(above);
        struct stat info;
        if (above == "." || lstat(above.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
            return false;
        int wd = AddWatch(above, kSelfEvents);
        if (wd < 0)
            return false;
        listing.above.push_back(wd);
    } while (above != top);
    return true;
}

// A forked child shares the parent's watch queue: it starts its own.
void AfterFork() {
    if (watcher >= 0)
        close(watcher);
    watcher = -1;
    watcherTried = false;
    for (Listing& listing : listings)
        listing = Listing();
    watchUses.clear();
}

int Watcher() {
    if (!watcherTried) {
        watcherTried = true;
        static const bool registered = pthread_atfork(nullptr, nullptr, AfterFork) == 0;
        watcher = registered ? inotify_init1(IN_NONBLOCK | IN_CLOEXEC) : -1;
    }
    return watcher;
}

void Apply(const struct inotify_event& event) {
    if (event.mask & IN_Q_OVERFLOW) {
        ForgetAll(); // names were lost: list again
        return;
    }
    const bool self = event.mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT);
    for (Listing& listing : listings) {
        if (!listing.valid)
            continue;
        if (self && listing.Watches(event.wd))
            listing.valid = false; // its path may lead elsewhere now
        else if (!self && event.len > 0 && listing.watch == event.wd)
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
    Release(*slot);
    slot->watch = AddWatch(folder.empty() ? "/" : folder, kWatchedEvents);
    DIR* dir = slot->watch < 0 ? nullptr : opendir(folder.empty() ? "/" : folder.c_str());
    if (!dir) {
        Release(*slot);
        return nullptr;
    }
    while (const dirent* entry = readdir(dir))
        slot->names.insert(Key(entry->d_name));
    closedir(dir);
    slot->folder = folder;
    slot->guarded = !folder.empty() && GuardPath(*slot);
    slot->info = info;
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

Answer AnswerUnlooked(const std::string& folder, const std::string& name, struct stat* info) {
    std::lock_guard<std::mutex> lock(mutex);
    if (Watcher() < 0)
        return Answer::kUnknown;
    Drain();
    Listing* listing = Find(folder);
    if (!listing || !listing->guarded)
        return Answer::kUnknown;
    listing->lastUse = ++uses;
    *info = listing->info;
    return listing->names.count(Key(name)) != 0 ? Answer::kMayHold : Answer::kAbsent;
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
