// Opening the install journal before the worker starts: the installation
// folder and the folders above it that it needs are made, and listed once
// the journal is open in it; the staging folder's files, made at start-up
// before anyone knew where the product would go, are listed too, so that
// a setup killed at any later point can be undone whole.
#include "engine/CreateFolderPath.h"
#include "setup/SetupDriver.h"
#include "toolkit/KIVFileFinder.h"

#include "platform/Windows.h"

#include <vector>

namespace {

// The folders of path, the deepest last, that do not exist yet.
std::vector<KIVString> MissingFolders(const KIVString& path) {
    std::vector<KIVString> missing;
    for (KIVString folder = path; GetFileAttributesW(folder) == INVALID_FILE_ATTRIBUTES;) {
        missing.insert(missing.begin(), folder);
        const int slash = folder.ReverseFind('\\');
        if (slash <= 2)
            break;
        folder = folder.Left(slash);
    }
    return missing;
}

} // namespace

void SetupDriver::OpenJournal() {
    const KIVString& folder = state.variables.installDst;
    if (folder.IsEmpty() || journal.IsOpen())
        return;
    const std::vector<KIVString> made = MissingFolders(folder);
    CreateFolderPath(folder);
    if (!journal.Open(folder, state.description.applicationName))
        return;
    for (const KIVString& path : made)
        journal.Folder(path);
    if (!stagingFolder.IsEmpty())
        JournalStagingFolder(stagingFolder);
    zip.SetJournal(&journal);
}

void SetupDriver::JournalStagingFolder(const KIVString& folder) {
    journal.Folder(folder);
    KIVFileFinder finder(folder + u"\\*");
    KIVString path;
    bool isFolder = false;
    while (finder.Next(&path, &isFolder)) {
        const KIVString name = path.Mid(path.ReverseFind('\\') + 1);
        if (name == u"." || name == u"..")
            continue;
        // A link is listed as the file it is; nothing behind it was made here.
        if (isFolder && !(finder.Attributes() & FILE_ATTRIBUTE_REPARSE_POINT))
            JournalStagingFolder(path);
        else
            journal.File(path);
    }
}
