// The predefined root keys of the registry: their handles, their names and
// the short names that command lines use. The one table of them that every
// layer consults, to name a root or to tell a predefined handle from one
// that a call opened. Needs nothing but the registry's handle constants.
#pragma once

#include "platform/WinReg.h"

#include <cstddef>
#include <string>

struct RegistryRoot {
    HKEY handle;
    const char* name;      // "HKEY_LOCAL_MACHINE"
    const char* shortName; // "HKLM"; null for a root without one
};

namespace RegistryRoots {

// How many roots there are; Root(index) for index 0 to kCount - 1 gives
// them in the order of their handle values.
constexpr std::size_t kCount = 6;
const RegistryRoot& Root(std::size_t index);

// The root of a predefined handle; null for any other handle.
const RegistryRoot* FromHandle(HKEY handle);
// The root of that exact name (case-sensitive, as the setup description
// spells it); with shortNames, its short name is accepted too. Null when
// the name is no root's.
const RegistryRoot* FromName(const std::string& name, bool shortNames = false);

} // namespace RegistryRoots
