// The lines "kivtool reg query" prints for a value, in the manner of the
// Windows command-line registry tool:
//     "    Name    REG_SZ    text"
#pragma once

#include "platform/RegistryStore.h"

#include <string>

namespace RegTextQuery {

std::string TypeName(DWORD type);
// The data as a person reads it: texts (UTF-8, up to their first NUL),
// numbers in hex (0x...), multi-strings joined by "\0", other bytes as hex
// digits. wideText: the registry keeps text values as UTF-16LE.
std::string DataText(const RegistryValue& value, bool wideText);
std::string ValueLine(const RegistryValue& value, bool wideText);

} // namespace RegTextQuery
