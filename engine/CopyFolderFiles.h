// CopyFolderFiles: installs an install entry that is not packed by copying
// the plain files of its source folder into its destination folder.
#pragma once

#include "engine/InstallEntry.h"
#include "engine/InstalledFileList.h"
#include "engine/MediumFolder.h"
#include "engine/Zipage.h"

#include <atomic>

// Creates destFolder (and the folders above it), then copies each plain file
// that lies directly in sourceFolder, in listing order: sub-folders are not
// copied. A file is copied when the entry's list mode is set and its name is
// in the entry's name list, or when the mode is clear and it is not; names
// match without regard to case. So an empty list copies everything in the
// clear mode and nothing in the set mode.
//
// For each copy: onName (when given) receives the file name (ANSI), the file
// goes to "destFolder\name" through CopyFileWithProgress, and the destination
// path (ANSI) joins installedFiles (when given). Before each file the pause
// byte is waited out and a set cancel byte ends the copy with true.
//
// Links are followed only inside the medium (see MediumFolder): a link on the
// way from the medium folder down to sourceFolder, or any link in
// sourceFolder (chosen by the name list or not, to a file or a folder), that
// leads outside it or nowhere fails the copy where the listing reaches it,
// and medium names the link. A link to a folder is skipped as a sub-folder is.
//
// A source folder that is not there fails the copy before anything is made:
// a medium moved since an earlier installation named its folder must not
// install nothing and call that success.
//
// Returns false as soon as a copy fails (the files copied before stay, and the
// failed one is not listed); true when every chosen file was copied, and
// after a cancel (a file cut by it is listed). A journal (when given) lists
// the folders and each destination file before they are made.
bool CopyFolderFiles(const InstallEntry& entry, const char16_t* sourceFolder, MediumFolder& medium,
                     const char16_t* destFolder, ZipageBytesCallback onBytes,
                     ZipageNameCallback onName, const std::atomic<unsigned char>* cancelFlag,
                     const std::atomic<unsigned char>* pauseFlag, InstalledFileList* installedFiles,
                     InstallJournal* journal = nullptr);
