#include "engine/RunEntryPrograms.h"

#include "toolkit/KIVFileFinder.h"
#include "toolkit/KIVProcess.h"
#include "toolkit/KIVString.h"

namespace {

KIVString EntryFolder(const InstallEntry& entry, const char16_t* installFolder,
                      const char16_t* installSource) {
    KIVString folder(entry.packed ? installFolder : installSource);
    KIVString sub(entry.packed ? entry.destinationFolder : entry.sourceFolder);
    if (!sub.IsEmpty()) {
        folder += u"\\";
        folder += sub;
    }
    return folder;
}

bool IsProgram(const KIVString& path) {
    return path.GetLength() >= 4 && path.Right(4).CompareNoCase(u".exe") == 0;
}

void RunAndWait(const KIVString& program) {
    PROCESS_INFORMATION process{};
    if (!KIVCreateProcess(KIVString(u"\"") + program + u"\"", &process))
        return;
    KIVWaitForProcess(&process);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}

void RunFolderPrograms(const KIVString& folder) {
    KIVFileFinder finder(folder + u"\\*");
    KIVString path;
    bool isFolder = false;
    while (finder.Next(&path, &isFolder))
        if (!isFolder && IsProgram(path))
            RunAndWait(path);
}

} // namespace

void RunEntryPrograms(const std::vector<const InstallEntry*>& runList,
                      const char16_t* installFolder, const char16_t* installSource) {
    for (const InstallEntry* entry : runList)
        if (entry)
            RunFolderPrograms(EntryFolder(*entry, installFolder, installSource));
}
