#include "toolkit/resources/KIVBitmapCache.h"

#include "toolkit/KIVLock.h"
#include "toolkit/resources/KIVFileSource.h"

#include <algorithm>

KIVBitmapCache::KIVBitmapCache() {
    InitializeCriticalSection(&lock_);
}

KIVBitmapCache::~KIVBitmapCache() {
    DeleteCriticalSection(&lock_);
}

KIVBitmapCache& KIVBitmapCache::Process() {
    static auto* cache = new KIVBitmapCache;
    return *cache;
}

void KIVBitmapCache::SetFile(const char* path) {
    KIVLock lock(&lock_);
    const std::string next = path ? path : "";
    if (next != path_)
        entries_.clear();
    path_ = next;
}

bool KIVBitmapCache::GetBitmap(LONG id, LONG frame, KIVBitmapFrame* copy) {
    KIVLock lock(&lock_);
    Entry* entry = Find(id);
    if (entry) {
        auto held = entry->frames.find(frame);
        if (held != entry->frames.end()) {
            *copy = held->second;
            return true;
        }
    }
    KIVBitmapFrame read;
    KIVFileSource file(path_.c_str());
    if (!KIVBitmapFile::ReadFrame(file, id, frame, &read))
        return false;
    if (!entry)
        entry = Add(id);
    *copy = entry->frames.emplace(frame, std::move(read)).first->second;
    return true;
}

std::size_t KIVBitmapCache::Count() {
    KIVLock lock(&lock_);
    return entries_.size();
}

bool KIVBitmapCache::Holds(LONG id) {
    KIVLock lock(&lock_);
    return std::any_of(entries_.begin(), entries_.end(),
                       [id](const Entry& entry) { return entry.id == id; });
}

KIVBitmapCache::Entry* KIVBitmapCache::Find(LONG id) {
    for (Entry& entry : entries_)
        if (entry.id == id) {
            entry.stamp = ++counter_;
            return &entry;
        }
    return nullptr;
}

KIVBitmapCache::Entry* KIVBitmapCache::Add(LONG id) {
    if (entries_.size() >= kMaxEntries) {
        auto oldest =
            std::min_element(entries_.begin(), entries_.end(),
                             [](const Entry& a, const Entry& b) { return a.stamp < b.stamp; });
        entries_.erase(oldest);
    }
    entries_.push_back(Entry{id, ++counter_, {}});
    return &entries_.back();
}
