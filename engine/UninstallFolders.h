// UninstallFolders: removes the folders an installation made, once the
// files listed in its record are gone.
//
// The folders considered are the listed folders and the folders of the
// listed files, each with its parents up to the installation folder, all
// inside the installation folder: a listed folder outside it (a shared
// folder such as "C:\Program Files\Common Files") stays. Deepest first, a
// folder goes only when it is empty: nothing is ever removed with its
// content. What keeps a folder is named in the summary, an entry that the
// record did not list as "not installed by this product". A folder that is
// a link stays, and nothing behind it is looked at.
#pragma once

#include "engine/UninstallRecord.h"
#include "engine/UninstallRun.h"

#include <set>

class UninstallFolders {
public:
    UninstallFolders(const UninstallRecord& record, const std::string& installFolder);

    // Every folder inside the installation folder, deepest first; the
    // installation folder itself is left for RemoveIfEmpty.
    void RemoveInner(UninstallRun& run) const;
    // Removes folder when nothing but removed entries is left in it.
    void RemoveIfEmpty(const std::string& folder, UninstallRun& run) const;
    // Once the installation folder is gone: the folders above it that the
    // setup made on its way there ("C:\Program Files\Maker" of
    // "C:\Program Files\Maker\Product") are not in the record; they go
    // when empty, but only those inside the machine's program-files folder
    // (ProgramFilesDir), where no one keeps an empty folder of their own.
    static void RemoveEmptyBaseFolders(const std::string& installFolder, UninstallRun& run);
    // The folders outside the installation folder that a journal lists as
    // made by the setup (its staging folder, the folders above the
    // installation folder), deepest first, each when it is empty.
    void RemoveOutside(UninstallRun& run) const;

private:
    void Consider(const std::string& path, const std::string& installFolder);
    void ConsiderOutside(const std::string& path);
    bool Holds(const std::string& folder, UninstallRun& run, bool report) const;

    std::vector<std::string> folders_; // deepest first
    std::vector<std::string> outside_; // deepest first
    std::set<std::string> keys_;       // the folders' keys, for their entries
};
