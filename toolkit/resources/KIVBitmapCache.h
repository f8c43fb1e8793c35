// KIVBitmapCache: the bitmaps loaded from the bitmap file, at most 300
// identifiers. Every lookup stamps the entry it finds with the next value of
// the cache's counter; a new identifier arriving at a full cache first frees
// the entry with the oldest stamp. Callers receive their own copy of a frame.
// The application uses the process-wide cache (Process()); every call takes
// the cache's own lock.
#pragma once

#include "toolkit/resources/KIVBitmapFile.h"

#include "platform/WinBase.h"

#include <map>
#include <string>
#include <vector>

class KIVBitmapCache {
public:
    static constexpr std::size_t kMaxEntries = 300;

    KIVBitmapCache();
    ~KIVBitmapCache();
    KIVBitmapCache(const KIVBitmapCache&) = delete;
    KIVBitmapCache& operator=(const KIVBitmapCache&) = delete;

    static KIVBitmapCache& Process();

    // Reads bitmaps from the file at path (ANSI code page) from now on. A
    // different path empties the cache, so that a language change never
    // shows the former language's pictures.
    void SetFile(const char* path);
    // A copy of the frame of bitmap id, read from the file when the cache
    // does not hold it yet; false when the file or the frame is missing.
    bool GetBitmap(LONG id, LONG frame, KIVBitmapFrame* copy);

    std::size_t Count();
    bool Holds(LONG id);

private:
    struct Entry {
        LONG id;
        unsigned long long stamp;
        std::map<LONG, KIVBitmapFrame> frames;
    };

    Entry* Find(LONG id);
    Entry* Add(LONG id);

    CRITICAL_SECTION lock_;
    std::string path_;
    std::vector<Entry> entries_;
    unsigned long long counter_ = 0;
};
