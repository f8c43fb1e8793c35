// The sharing modes of the files this process holds open, as Windows checks
// them: an open is refused when it wants access that an earlier open does not
// share, or denies sharing that an earlier open uses. Deleting, replacing or
// renaming a file needs every open of it to share deletion. Only this
// process's opens are known; that is what lets a test hold a file "in use".
// Internal to the platform layer.
#pragma once

#include "platform/WinBase.h"

#include <sys/types.h>

class ShareTable {
public:
    struct FileId {
        dev_t device;
        ino_t inode;
        bool operator==(const FileId& other) const {
            return device == other.device && inode == other.inode;
        }
    };

    // Records an open of file with the given access (GENERIC_READ and
    // GENERIC_WRITE bits) and share mode; false when it conflicts.
    static bool Acquire(const FileId& file, DWORD access, DWORD share);
    static void Release(const FileId& file, DWORD access, DWORD share);

    // Whether an open with this access and share mode would be granted.
    static bool Allows(const FileId& file, DWORD access, DWORD share);
    // Whether every open of the file shares deletion (nothing holds it).
    static bool AllowsDelete(const FileId& file);

    // The identity of the file at a host path; false when it does not exist.
    static bool IdOf(const char* hostPath, FileId* id);
};
