// The recent-file list: the paths of the documents last opened, newest first,
// kept in a text file beside the program ("<program path without its
// extension>.mru"), one path per line in the ANSI code page. The list holds
// at most Count() entries (5 unless changed); a path appears once, paths
// compared after lower-casing.
#pragma once

#include "toolkit/KIVString.h"

#include <vector>

class KIVRecentFiles {
public:
    static constexpr int kDefaultCount = 5;

    // Reads the list file when there is one; blank lines are skipped and the
    // list is cut to the count.
    explicit KIVRecentFiles(const KIVString& listFile);

    int Count() const { return count_; }
    int GetSize() const { return static_cast<int>(paths_.size()); }
    // The path of an entry, from 0 (the newest); empty outside the list.
    KIVString GetAt(int entry) const;

    // Puts path first, without an earlier entry of the same path, and writes
    // the file.
    void Add(const KIVString& path);
    // Brings an entry to the front, as opening it does, and writes the file.
    // False for an entry outside the list.
    bool Change(int entry);
    // Sets the count (at least 1), cutting the list, and writes the file.
    void SetCount(int count);

private:
    void Write() const;

    KIVString listFile_;
    int count_ = kDefaultCount;
    std::vector<KIVString> paths_;
};
