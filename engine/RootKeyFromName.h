// The predefined registry key that a key path of the setup description starts
// with: one of six root names, matched exactly and case-sensitively.
#pragma once

#include "platform/WinReg.h"

#include <string_view>

// HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS,
// HKEY_PERFORMANCE_DATA or HKEY_CURRENT_CONFIG for the name of that key;
// null for any other text ("hkey_local_machine" and "HKLM" included).
HKEY RootKeyFromName(std::string_view name);

// True for the six predefined root keys, which are never closed.
bool IsRootKey(HKEY key);
