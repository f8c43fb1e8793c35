// A folder listing in progress (FindFirstFile / FindNextFile): the matching
// entries, read when the search starts, and the next one to hand out.
// Internal to the platform layer.
#pragma once

#include "platform/KernelObject.h"
#include "platform/WinBase.h"

#include <string>
#include <vector>

class FindObject : public KernelObject {
public:
    struct Entry {
        std::string name; // UTF-8
        DWORD attributes;
        ULONGLONG size;
        FILETIME created, accessed, written;
    };

    // Lists the entries of hostFolder whose names match pattern; the folder
    // is a drive root when it has no "." and ".." entries on Windows. Names
    // that Windows cannot have are left out, and for an "A" listing (ansi)
    // also those the ANSI code page cannot spell. Fails with the last error
    // set when the folder cannot be read or nothing matches.
    static std::shared_ptr<FindObject> Start(const std::string& hostFolder,
                                             const std::string& pattern, bool driveRoot, bool ansi);

    bool ClosedByCloseHandle() const override { return false; }

    // The next entry, or null at the end.
    const Entry* Next();

    explicit FindObject(std::vector<Entry> entries) : entries_(std::move(entries)) {}

private:
    std::vector<Entry> entries_;
    std::size_t next_ = 0;
};
