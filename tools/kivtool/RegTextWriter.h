// Writes keys of the system registry in the registry text format that
// Windows' registry editor reads ("Windows Registry Editor Version 5.00"):
//
//     [HKEY_LOCAL_MACHINE\SOFTWARE\Talvic]
//     @="default value"
//     "Path"="C:\\Program Files\\Talvic"
//     "Count"=dword:0000000a
//     "Data"=hex:01,02,03
//
// A key is followed by its sub keys, depth first, each level in creation
// order; values in creation order. Text values that are not one clean,
// terminated string are written as hex(1) so that nothing is lost; hex(1),
// hex(2) and hex(7) hold UTF-16LE as on Windows.
//
// The text is built as UTF-8 with LF line ends; FileText gives the file as
// the registry editor writes it (UTF-16LE after its byte-order mark, CR LF
// line ends), or leaves it UTF-8 for those who compare text files.
#pragma once

#include "platform/RegistryStore.h"

#include <string>

namespace RegTextWriter {

inline constexpr const char* kHeader = "Windows Registry Editor Version 5.00";

// One value line, without its line end; false when the value's name is not
// text of the machine's code page. wideText: the registry keeps text values
// as UTF-16LE (RegistryStore::WideText).
bool ValueLine(const RegistryValue& value, bool wideText, std::string* line);

// Appends the key (path: its full name, root first) and everything below it.
// withHeader false leaves out the header of a key without values (used for
// the roots of a whole export). Returns the store's error code, or
// ERROR_NO_UNICODE_TRANSLATION with the key in *failedKey when the name of
// one of its sub keys or values is not text of the code page: such a name
// has no form that would import as itself.
LONG WriteKey(RegistryStore& store, RegKeyId key, const std::string& path, bool withHeader,
              std::string* out, std::string* failedKey);

// The file of an export built as UTF-8 text: UTF-16LE with its byte-order
// mark and CR LF line ends, or the UTF-8 text itself (utf8). False when the
// text is not UTF-8 (a key named on the command line whose stored name is
// no text of the code page).
bool FileText(const std::string& text, bool utf8, std::string* file);

} // namespace RegTextWriter
