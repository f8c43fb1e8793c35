#include "engine/CreateFolderPath.h"

#include "engine/InstallJournal.h"
#include "toolkit/KIVSystem.h"

void CreateFolderPath(const char16_t* path, InstallJournal* journal) {
    if (!path)
        return;
    char16_t folder[MAX_PATH];
    int length = 0;
    for (const char16_t* p = path;; ++p) {
        if ((*p == u'\\' || *p == 0) && length > 0) {
            folder[length] = 0;
            if (journal && GetFileAttributesW(folder) == INVALID_FILE_ATTRIBUTES)
                journal->Folder(folder);
            KIVCreateDirectory(folder);
        }
        if (*p == 0)
            return;
        // A path that does not fit MAX_PATH names no folder the platform can make.
        if (length == MAX_PATH - 1)
            return;
        folder[length++] = *p;
    }
}
