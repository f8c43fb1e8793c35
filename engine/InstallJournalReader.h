// InstallJournalReader: reads an install journal (InstallJournal) into what
// the uninstaller undoes, as strictly as the uninstall record is read, with
// one allowance: a last line without its CR LF was cut by the kill the
// journal exists for, and is left out. The header must come first; every
// other line is one of the journal's tags with a sound path, key path or
// count; a value comes after a key. Nothing of a journal that does not read
// whole is acted on.
#pragma once

#include "engine/UninstallRecordReader.h"

// Fills *record from the journal's bytes, with fromJournal set; false, with
// *error, when they are not a sound journal (*record is then left empty).
bool ReadInstallJournal(std::string_view bytes, UninstallRecord* record,
                        UninstallRecordError* error);

// Adds the written values of a values file (a journal of key and value
// lines only) to record. False, with *error, when it is not sound.
bool ReadWrittenValues(std::string_view bytes, UninstallRecord* record,
                       UninstallRecordError* error);
