// The content of a fresh machine's registry: what a newly installed Windows
// gives a setup program. Written once, when the database is set up.
#pragma once

#include "platform/Machine.h"

class RegistryStore;

namespace RegistrySeed {

// Inside the caller's write transaction; bypasses the administrator rule.
// - HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion: ProgramFilesDir, an
//   empty SharedDLLs key, and on the older family RegisteredOwner and
//   RegisteredOrganization (the NT family keeps those two under
//   HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion);
// - the Shell Folders of the all-users Start menu ("Common Programs",
//   "Common Startup") under HKLM and of the user's ("Programs", "Startup")
//   under HKCU.
// Texts are REG_SZ with their terminator, in the machine's ANSI code page.
bool Seed(RegistryStore& store, const MachineSettings& settings);

} // namespace RegistrySeed
