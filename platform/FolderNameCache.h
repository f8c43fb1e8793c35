// A memory of the names in one host folder, so that creating many new files
// in a folder does not list the whole folder for each of them (the lookup
// without regard to case must know that no other spelling of a new name
// exists). It holds hashes of the folded names of the folder used last and
// is checked against the folder's identity and change time on every use, so
// a change made by anyone else is seen; this process's own creations are
// added as they happen. Internal to the platform layer.
#pragma once

#include <string>
#include <sys/stat.h>

namespace FolderNameCache {

// False only when folder (whose stat() is info) certainly holds no entry
// whose name equals name without regard to case; true when it may (the
// caller then lists it).
bool MayHold(const std::string& folder, const struct stat& info, const std::string& name);

// Whether a listing of folder is remembered at all; asks the host nothing.
bool Remembers(const std::string& folder);

// True only when the remembered listing of folder is current (its stat() is
// info) and holds no entry whose name equals name without regard to case.
// Never lists the folder: false means "not known", not "present".
bool SurelyAbsent(const std::string& folder, const struct stat& info, const std::string& name);

// Records that this process has just created hostPath (a file or a folder).
void NoteCreated(const std::string& hostPath);

} // namespace FolderNameCache
