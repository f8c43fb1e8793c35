// The copies of staged system files made beside the files they are to
// replace at the next start, when the file in place is in use. A copy lives
// in the target's own folder, so that it outlives the staging folder and the
// replacement at the start is a rename within one folder.
#pragma once

#include <string>
#include <vector>

class ReplacementCopies {
public:
    // Copies stagedPath beside targetPath and puts the copy's path into
    // *copyPath. The copy's name is the target path cut at the last "." of
    // its file name (a name without one is kept whole) followed by ".tmp";
    // when that name is the target itself or a copy made earlier by this
    // object, "~1.tmp", "~2.tmp" ... up to "~99.tmp" take the place of
    // ".tmp". A file left under the chosen name by an earlier run is deleted
    // first. False when no name is free or the copy fails.
    bool Make(const char* stagedPath, const char* targetPath, std::string* copyPath);

private:
    bool IsTaken(const std::string& candidate, const char* targetPath) const;

    std::vector<std::string> made_;
};
