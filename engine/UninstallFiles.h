// UninstallFiles: removes the files an uninstall record lists.
//
// A listed file goes only when it is a plain file or a link, and a link goes
// as itself, never what it points to; a folder at a listed file's path
// stays, and so does a file reached through a link in one of its folders.
// A file listed in the setup's staging folder ("...\TemporaryFiles\name")
// stands for the system folder's file of that name: its SharedDLLs use count
// is lowered when positive, and the file goes only when that count reaches
// 0. A system file without a positive count stays: the setup makes no count
// of its own, so a file without one may have been on the machine before the
// product, or be used by programs that never counted it. A journal lists
// its staging folder's files as they are (they go like any other) and its
// system files apart, with the counts they had before. The record itself
// and the values file it lists are skipped here: the uninstallation reads
// them, and removes them last (see Uninstaller).
#pragma once

#include "engine/UninstallRecord.h"
#include "engine/UninstallRun.h"

void UninstallFiles(const UninstallRecord& record, const std::string& installFolder,
                    UninstallRun& run);
