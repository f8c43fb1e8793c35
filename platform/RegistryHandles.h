// Key handles of the system registry. The predefined roots are their
// constant values; every other handle is a small heap object known to a
// table of live handles, so that a stale, closed or made-up handle is
// refused (ERROR_INVALID_HANDLE) instead of being followed. A handle
// belongs to the machine that was current when it was opened.
#pragma once

#include "platform/RegistryStore.h"

// What a handle stands for.
struct RegistryKey {
    RegKeyId id = 0;
    RegKeyId root = 0; // the predefined root the key lies under
    REGSAM access = 0;
};

namespace RegistryHandles {

bool IsPredefined(HKEY handle);
// A new handle for key (never null).
HKEY Open(const RegistryKey& key);
// The key of a predefined handle (full access) or of a live handle of the
// current machine; false otherwise.
bool Resolve(HKEY handle, RegistryKey* key);
// Frees a live handle (of any machine); false when the handle is unknown.
bool Close(HKEY handle);

} // namespace RegistryHandles
