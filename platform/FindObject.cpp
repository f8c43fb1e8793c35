#include "platform/FindObject.h"

#include "platform/CaseFold.h"
#include "platform/HostPath.h"
#include "platform/WindowsName.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace {

bool MakeEntry(const std::string& folder, const std::string& name, FindObject::Entry* entry) {
    std::string path = folder + "/" + name;
    struct stat info;
    if (lstat(path.c_str(), &info) != 0)
        return false;
    bool isLink = S_ISLNK(info.st_mode);
    struct stat target;
    if (isLink && stat(path.c_str(), &target) == 0 && S_ISREG(target.st_mode)) {
        info = target; // a link to a file lists as the file, marked as a link
        entry->attributes = HostPath::Attributes(info, false) | FILE_ATTRIBUTE_REPARSE_POINT;
    } else {
        entry->attributes = HostPath::Attributes(info, isLink);
    }
    entry->name = name;
    entry->size = S_ISREG(info.st_mode) ? static_cast<ULONGLONG>(info.st_size) : 0;
    entry->created = HostPath::FileTime(info.st_ctim);
    entry->accessed = HostPath::FileTime(info.st_atim);
    entry->written = HostPath::FileTime(info.st_mtim);
    return true;
}

// "." and ".." first, then by name without regard to case, as an NTFS
// folder lists its entries. Each name is folded once, not at every
// comparison: a folder of many files would otherwise fold each name some
// dozens of times.
void SortInListOrder(std::vector<FindObject::Entry>* entries) {
    struct Key {
        int rank;
        std::u32string folded;
        const std::string* name;
        std::size_t index;
        bool operator<(const Key& other) const {
            if (rank != other.rank)
                return rank < other.rank;
            return folded != other.folded ? folded < other.folded : *name < *other.name;
        }
    };
    std::vector<Key> keys;
    keys.reserve(entries->size());
    for (std::size_t i = 0; i < entries->size(); ++i) {
        const std::string& name = (*entries)[i].name;
        int rank = name == "." ? 0 : name == ".." ? 1 : 2;
        keys.push_back({rank, CaseFold::Fold(name), &name, i});
    }
    std::sort(keys.begin(), keys.end());
    std::vector<FindObject::Entry> sorted;
    sorted.reserve(entries->size());
    for (const Key& key : keys)
        sorted.push_back(std::move((*entries)[key.index]));
    *entries = std::move(sorted);
}

// Whether a name found in the folder is handed out: "." and ".." except in a
// drive root, and names that a path can carry back to the same entry.
bool Listed(const std::string& name, bool driveRoot, bool ansi) {
    if (name == "." || name == "..")
        return !driveRoot;
    return WindowsName::Valid(name) && (!ansi || WindowsName::ValidAnsi(name));
}

} // namespace

std::shared_ptr<FindObject> FindObject::Start(const std::string& hostFolder,
                                              const std::string& pattern, bool driveRoot,
                                              bool ansi) {
    DIR* dir = opendir(hostFolder.c_str());
    if (!dir) {
        SetLastError(errno == ENOENT || errno == ENOTDIR
                         ? static_cast<DWORD>(ERROR_PATH_NOT_FOUND)
                         : HostPath::ErrorFromErrno(errno, hostFolder));
        return nullptr;
    }
    std::vector<Entry> entries;
    while (const dirent* found = readdir(dir)) {
        std::string name = found->d_name;
        if (!Listed(name, driveRoot, ansi) || !CaseFold::WildcardMatch(pattern, name))
            continue;
        Entry entry;
        if (MakeEntry(hostFolder, name, &entry))
            entries.push_back(entry);
    }
    closedir(dir);
    if (entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    SortInListOrder(&entries);
    return std::make_shared<FindObject>(std::move(entries));
}

const FindObject::Entry* FindObject::Next() {
    if (next_ >= entries_.size())
        return nullptr;
    return &entries_[next_++];
}
