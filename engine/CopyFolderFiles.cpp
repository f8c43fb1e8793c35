#include "engine/CopyFolderFiles.h"

#include "engine/CopyFileWithProgress.h"
#include "engine/CreateFolderPath.h"
#include "engine/InstallFlags.h"
#include "engine/InstallJournal.h"
#include "engine/MediumFolder.h"
#include "toolkit/KIVFileFinder.h"
#include "toolkit/KIVString.h"

#include <vector>

namespace {

// The file name after the path's last "\" or "/".
KIVString FileNameOf(const KIVString& path) {
    int slash = path.ReverseFind('\\');
    int forward = path.ReverseFind('/');
    return path.Mid((forward > slash ? forward : slash) + 1);
}

// The entry's names in wide text, converted once for the whole listing.
std::vector<KIVString> WideNames(const InstallEntry& entry) {
    std::vector<KIVString> names;
    names.reserve(entry.names.size());
    for (const std::string& name : entry.names)
        names.emplace_back(name.c_str());
    return names;
}

bool IsListed(const std::vector<KIVString>& names, const KIVString& name) {
    for (const KIVString& listed : names)
        if (name.CompareNoCase(listed) == 0)
            return true;
    return false;
}

// A link is what it leads to: a file, or a folder the copy skips.
bool LeadsToFolder(const char16_t* link) {
    const DWORD attributes = GetFileAttributesW(link);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void ToAnsi(const char16_t* text, char* buffer, int size) {
    if (WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, size, nullptr, nullptr) <= 0)
        buffer[0] = 0;
}

} // namespace

bool CopyFolderFiles(const InstallEntry& entry, const char16_t* sourceFolder, MediumFolder& medium,
                     const char16_t* destFolder, ZipageBytesCallback onBytes,
                     ZipageNameCallback onName, const std::atomic<unsigned char>* cancelFlag,
                     const std::atomic<unsigned char>* pauseFlag, InstalledFileList* installedFiles,
                     InstallJournal* journal) {
    if (!medium.FollowsLinksDownTo(sourceFolder) || !LeadsToFolder(sourceFolder))
        return false;
    KIVFileFinder finder(KIVString(sourceFolder) + u"\\*");
    CreateFolderPath(destFolder, journal);
    const std::vector<KIVString> names = WideNames(entry);
    KIVString source;
    bool isFolder = false;
    while (finder.Next(&source, &isFolder)) {
        if (finder.Attributes() & FILE_ATTRIBUTE_REPARSE_POINT) {
            if (!medium.Follows(source))
                return false;
            isFolder = LeadsToFolder(source);
        }
        if (isFolder)
            continue;
        KIVString name = FileNameOf(source);
        bool listed = IsListed(names, name);
        WaitWhileInstallPaused(pauseFlag);
        if (IsInstallFlagSet(cancelFlag))
            return true;
        if (listed != entry.listMode)
            continue;
        KIVString dest = KIVString(destFolder) + u"\\" + name;
        char ansi[InstalledFileList::kPathSize];
        ToAnsi(name, ansi, sizeof ansi);
        if (onName)
            onName(ansi);
        if (journal)
            journal->File(dest);
        if (!CopyFileWithProgress(source, dest, nullptr, onBytes, cancelFlag, pauseFlag))
            return false;
        ToAnsi(dest, ansi, sizeof ansi);
        if (installedFiles)
            installedFiles->Add(ansi);
    }
    return true;
}
