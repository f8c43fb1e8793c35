// Applies the changes read from a registry text file to the system registry
// in one transaction: all of them or, on any failure, none. Writes here are
// an administrator's: the machine's rule for HKEY_LOCAL_MACHINE does not apply.
#pragma once

#include "tools/kivtool/RegTextReader.h"

namespace RegTextApply {

// Returns the store's error code; *failedLine names the change that failed.
LONG Apply(RegistryStore& store, const std::vector<RegTextChange>& changes, int* failedLine);

// What a list of changes does, for the report after an import: the distinct
// keys it creates or fills (names compared as the store compares them), the
// values it sets, and the keys and values it deletes.
struct Counts {
    std::size_t keys = 0;
    std::size_t values = 0;
    std::size_t deletedKeys = 0;
    std::size_t deletedValues = 0;
};
Counts Count(const std::vector<RegTextChange>& changes, unsigned codePage);

} // namespace RegTextApply
