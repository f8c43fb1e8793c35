// The language an application last ran in, kept in the registry as the value
// "Language" of the key HKEY_LOCAL_MACHINE\SOFTWARE\Kiv software, then the
// application's name, then its version name, in the system registry or in a
// registry file (KIVRegistry.h).
#pragma once

#include <string>

// The recorded name, or an empty text when the keys or the value are missing.
// The keys are opened for reading, one level per call, and the key's values
// are enumerated from the first until one is named "Language".
std::string KIVReadLanguageSetting(const char* applicationName, const char* versionName,
                                   const char16_t* registryFile);

// Records name as a REG_SZ value. "SOFTWARE", "Kiv software" and the version
// key are opened for writing (made when missing); the application's key is
// opened for reading only, so the value is written only for an application
// whose key exists. The levels down to the application's key are first
// opened for reading, so that for any other application no key is made.
// Each key is closed after use.
void KIVWriteLanguageSetting(const char* applicationName, const char* versionName, const char* name,
                             const char16_t* registryFile);
