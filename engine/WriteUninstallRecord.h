// WriteUninstallRecord: writes ".uninstallinfos.log" into the installation
// folder when the setup ends, the list of what a later uninstallation removes.
// The product's uninstaller reads it, so its layout is fixed to the byte.
// ANSI text, every line ending with CR LF:
//
//     files <n>                 installed files plus extra files
//     <full path>               one line per installed file
//     <folder>\<extra name>     one line per extra file of the description
//     <folder>\.uninstallinfos.values   when the setup keeps that file
//     folders <n>
//     <folder path>             one line per installed folder, repeats kept
//     regkeys <n>
//     <key path>                one line per registry key
//     longappname
//     <application name>        also when empty
//
// Counts are decimal; an empty list gives its count line with 0. The product's
// own uninstaller knows only the record: the values file the setup keeps
// beside it (see InstallJournal) is listed as a file, or it and with it the
// folder would stay behind.
#pragma once

#include "engine/InstallLists.h"

#include <string>
#include <vector>

struct UninstallRecordSource {
    const char16_t* installFolder; // the installation folder, a Windows path
    const InstallLists& lists;
    const std::vector<std::string>& extraFiles; // relative to the installation folder
    const char* applicationName;                // ANSI
    bool updateMode;                            // an update writes no record
    bool valuesFile; // the install journal keeps the values file beside the record
};

enum class UninstallRecordResult { Written, Skipped, Failed };

// Skipped in update mode, and when nothing was installed (every list empty):
// a record of nothing would only hide the record of an earlier installation
// in the same folder, and its extra files were never put there by this run.
//
// The record is written beside its final name and then renamed over it, so a
// crash or a full disk never leaves a partial record in place of a good one.
// Failed, with any earlier record unchanged and no folder created, when the
// folder does not exist or is read-only, when the record's path, or its
// temporary name beside it, does not fit a 520-byte buffer, or when the
// record would be larger than the uninstaller reads (kMaxUndoFileBytes):
// the journal, kept then, still lists what was made.
UninstallRecordResult WriteUninstallRecord(const UninstallRecordSource& source);
