// Keeps every path of drive C: on the machine's own drive folder. A
// symbolic link planted in one of its folders (a program folder that points
// at the user's home, a file that points at another user's data) would
// otherwise send reads, writes and deletions to the host outside the
// machine. Internal to the platform layer.
#pragma once

#include <string>
#include <sys/stat.h>

namespace DriveConfinement {

// What a call does with the last component of its path when that is a
// symbolic link: follows it (opening, listing, reading), or acts on the link
// itself (deleting it, renaming it, replacing it by a new file).
enum class LastLink { Follow, Itself };

// True when hostPath, a mapped path of drive C:, resolves outside the drive
// folder: through a link in one of its folders, or, with LastLink::Follow,
// through a last component that is a link leading outside or nowhere.
// Paths of other drives never escape. Folders found inside are remembered
// with their identity, so a path in the folder used last costs one stat(),
// or none when the caller hands over the folder's stat() (parentInfo: a
// folder that was not reached through a link as its last component).
bool Escapes(const std::string& hostPath, LastLink last, const struct stat* parentInfo = nullptr);

} // namespace DriveConfinement
