// Applies the changes read from a registry text file to the system registry
// in one transaction: all of them or, on any failure, none. Writes here are
// an administrator's: the machine's rule for HKEY_LOCAL_MACHINE does not apply.
#pragma once

#include "tools/kivtool/RegTextReader.h"

namespace RegTextApply {

// Returns the store's error code; *failedLine names the change that failed.
LONG Apply(RegistryStore& store, const std::vector<RegTextChange>& changes, int* failedLine);

} // namespace RegTextApply
