// Who may write where in the system registry. A machine whose settings say
// the user is not an administrator refuses every write under
// HKEY_LOCAL_MACHINE (opening for writing included); HKEY_PERFORMANCE_DATA
// holds nothing and takes nothing.
#pragma once

#include "platform/Machine.h"
#include "platform/RegistryStore.h"

namespace RegistryAccess {

// KEY_SET_VALUE, KEY_CREATE_SUB_KEY, DELETE, WRITE_DAC and WRITE_OWNER.
constexpr REGSAM kWriteBits =
    KEY_SET_VALUE | KEY_CREATE_SUB_KEY | 0x00010000u | 0x00040000u | 0x00080000u;

inline bool WritesDenied(RegKeyId root) {
    if (root == RegistryStore::RootId(HKEY_PERFORMANCE_DATA))
        return true;
    return root == RegistryStore::RootId(HKEY_LOCAL_MACHINE) &&
           !Machine::Current().Settings().administrator;
}

} // namespace RegistryAccess
