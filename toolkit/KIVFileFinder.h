// KIVFileFinder: one search in one folder. The pattern is a path whose last
// component may hold wildcards; each Next step yields one entry, "." and ".."
// included, as the platform lists them.
#pragma once

#include "platform/Windows.h"
#include "toolkit/KIVString.h"

class KIVFileFinder {
public:
    explicit KIVFileFinder(const char16_t* pattern);
    ~KIVFileFinder();
    KIVFileFinder(const KIVFileFinder&) = delete;
    KIVFileFinder& operator=(const KIVFileFinder&) = delete;

    // The first call starts the search, later calls continue it. Returns false
    // when there is no further entry. Otherwise stores, when asked, the entry's
    // full path (the pattern up to and including its last "\" or "/", then the
    // entry's name) and whether the entry is a folder.
    bool Next(KIVString* path, bool* isFolder);
    // The entry's attributes as the platform reports them (0 before the first
    // entry), for callers that must tell a link from a real folder.
    DWORD Attributes() const;
    // Steps through the remaining entries and counts them.
    int Count();
    // Ends the search, frees the find data and empties the pattern.
    void Close();

private:
    bool Step();
    KIVString EntryName() const;

    KIVString pattern_;
    void* findData_ = nullptr; // WIN32_FIND_DATAW on the NT family, else WIN32_FIND_DATAA
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    bool wide_ = true;
};
