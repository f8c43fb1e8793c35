// The check that an install entry that is not packed makes no file that the
// uninstall record could not name: run over its source folder before the
// copy, so that such an entry fails before it writes anything.
#pragma once

#include "engine/InstallEntry.h"
#include "toolkit/KIVString.h"

// The name of the first file in sourceFolder that the entry copies (by its
// name list, as CopyFolderFiles chooses; folders and links to folders are
// skipped) and whose name the machine's ANSI code page cannot spell; empty
// when the entry copies none. A "?" in a name is a character that a listing
// in ANSI (the older platform family) could not spell.
KIVString FindUnspellableCopiedFile(const InstallEntry& entry, const char16_t* sourceFolder);
