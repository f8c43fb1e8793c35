// Reads the registry text format ("Windows Registry Editor Version 5.00",
// see RegTextWriter.h) into a list of changes, without touching the
// registry: a file with any error is refused as a whole, with the number of
// the first line in error.
//
// Accepted: a UTF-8 file (with or without a byte-order mark) or a UTF-16LE
// one with its mark; LF or CR LF line ends; blank lines and ";" comments;
// [KEY] and [-KEY] (deletes the key and all below it); values "name" or @
// (the default value) = "text" (escapes \\ and \"), dword:N (1 to 8 hex
// digits), hex:.. and hex(N):.. (bytes continued over lines ending in "\"),
// or - (deletes the value). Key and value names are converted to the
// machine's ANSI code page, text values to the form the registry keeps them
// in (UTF-16LE, or ANSI on the older family); a character the code page
// lacks, in a name or in an ANSI text value, is an error.
#pragma once

#include "platform/RegistryStore.h"

#include <string>
#include <vector>

struct RegTextChange {
    enum class Kind { CreateKey, DeleteKey, SetValue, DeleteValue };
    Kind kind = Kind::CreateKey;
    RegKeyId root = 0;
    std::string path; // ANSI, below the root; empty for the root itself
    std::string name; // ANSI value name; empty for the default value
    DWORD type = REG_NONE;
    std::string data; // text values in the registry's form (RegistryStore::WideText)
    int line = 0;
};

namespace RegTextReader {

// Parses a key name "HKEY_...\A\B" (UTF-8; the usual short root names HKLM,
// HKCU, HKCR, HKU and HKCC too) into its root and ANSI path. Each key name of
// the path, as the registry splits it (at whole characters of the code
// page), must be 1 to 255 bytes long and hold no NUL; the path may have at
// most 512 levels (RegistryNames::kMaxKeyDepth).
bool ParseKeyName(const std::string& name, RegKeyId* root, std::string* path, std::string* error);

// Parses a whole file, text values for a registry that keeps them as
// UTF-16LE (wideText) or as ANSI. On failure: false, the line in *errorLine
// and the reason in *error.
bool Parse(const std::string& content, bool wideText, std::vector<RegTextChange>* changes,
           int* errorLine, std::string* error);

} // namespace RegTextReader
