// UninstallRecordReader: reads ".uninstallinfos.log" strictly, as
// WriteUninstallRecord lays it out. Every line ends with CR LF; "files N",
// N paths, "folders N", N paths, "regkeys N", N key paths, "longappname" and
// the application name, then nothing more. The uninstaller acts on nothing
// of a record that does not read whole, so every fault is found here:
// counts that do not match the lines, a missing or misplaced section, a
// line over 519 bytes or holding a control byte, a path that is not
// absolute with a drive or has a "." or ".." component, a key path that does
// not start with a root key's name and a sub key.
#pragma once

#include "engine/UninstallRecord.h"

#include <string>
#include <string_view>

struct UninstallRecordError {
    int line = 0; // the line at fault, from 1; 0 when the record as a whole is
    std::string reason;
};

// Fills *record from the record's bytes; false, with *error, when they are
// not a whole, sound record (*record is then left empty).
bool ReadUninstallRecord(std::string_view bytes, UninstallRecord* record,
                         UninstallRecordError* error);

// Whether an ANSI path is absolute with a drive ("C:\...") and has no "."
// or ".." component. A doubled backslash is one separator (an entry with
// an empty destination sub-folder writes "C:\Product\\file.exe"); a
// trailing one is allowed.
bool IsSoundRecordPath(std::string_view path);

// Whether a key path starts with a root key's name and names a sub key with
// no empty level ("HKEY_LOCAL_MACHINE\Software\Maker").
bool IsSoundKeyPath(std::string_view path);
