// A file that has more than one name (a hard link) is never written in
// place. Its data may be shared with a file anywhere on the same host file
// system, outside the machine too: a link planted where the setup writes a
// file would otherwise have the setup empty and overwrite that other file.
// Such a file is replaced instead: a new file is made beside it and renamed
// over its name, and the other names keep the old data. Internal to the
// platform layer.
#pragma once

#include <string>
#include <sys/stat.h>

namespace LinkedFile {

// Whether an open for writing must replace the file (info: its lstat).
inline bool MustReplace(const struct stat& info) {
    return S_ISREG(info.st_mode) && info.st_nlink > 1;
}

// Makes a new file beside hostPath, with the old one's permissions and, when
// keepContent is set, a copy of its data, and renames it over hostPath.
// Returns its descriptor, open for reading and writing at offset 0 and not
// inherited by started programs; -1 with errno set when the file cannot be
// made (nothing changes then).
int Replace(const std::string& hostPath, const struct stat& info, bool keepContent);

} // namespace LinkedFile
