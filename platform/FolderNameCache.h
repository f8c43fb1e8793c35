// A memory of the names in a few host folders, so that creating many new
// files in a folder does not list the whole folder for each of them (the
// lookup without regard to case must know that no other spelling of a new
// name exists). It holds hashes of the folded names of the folders used last
// and learns every name added to them, by this process or any other, from
// the host's folder watch (inotify) before each answer: a folder's change
// time cannot do that, since a name made within the same clock tick as the
// listing leaves it unchanged. Where no watch can be had, nothing is
// remembered and every lookup lists. Internal to the platform layer.
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

} // namespace FolderNameCache
