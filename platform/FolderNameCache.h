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

// What a remembered listing of folder, with every folder of its path
// watched (so that the path surely still leads to the folder listed), says
// of name: that no entry's name equals it without regard to case, or that
// one may. It asks the host nothing but the watch's news: this is how a file
// made, or replaced, in a folder already listed costs no lookup of the
// folder. *info is then the folder's stat(). kUnknown when no such listing
// is remembered.
enum class Answer { kUnknown, kAbsent, kMayHold };
Answer AnswerUnlooked(const std::string& folder, const std::string& name, struct stat* info);

// True only when the remembered listing of folder is current (its stat() is
// info) and holds no entry whose name equals name without regard to case.
// Never lists the folder: false means "not known", not "present".
bool SurelyAbsent(const std::string& folder, const struct stat& info, const std::string& name);

} // namespace FolderNameCache
