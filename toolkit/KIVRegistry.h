// The registry functions of the system layer. Key and value names and data
// are narrow (ANSI) text. The last argument, the registry file name, selects
// the store:
//
// - null: the system registry. Each call is exactly one platform call:
//   KIVRegOpenKey calls RegCreateKeyA when the access is exactly KEY_WRITE
//   and RegOpenKeyExA otherwise; the others call RegEnumValueA,
//   RegSetValueExA and RegCloseKey. Results are the platform's error codes.
// - a file name: the registry file of that name in the Windows folder, a
//   small text store (KIVRegistryFile.h). Key handles are byte offsets in
//   the file; only HKEY_CLASSES_ROOT and HKEY_LOCAL_MACHINE serve as roots.
//   Results are 0 on success and -1 on any failure; a name that is not a
//   plain file name (it holds "\", "/" or ":") is refused with -1.
#pragma once

#include "platform/WinReg.h"

// Opens one key level under parent, creating it when the access includes
// KEY_CREATE_SUB_KEY (in the system registry: when the access is KEY_WRITE).
LONG KIVRegOpenKey(HKEY parent, const char* subKey, DWORD options, REGSAM access, HKEY* keyOut,
                   const char16_t* registryFile);

// Reads the value with the given index: its name into name (nameSize
// characters), its data into data (dataSize bytes). On the registry file the
// name and the data are cut to the buffer sizes and terminated; the type and
// the size outputs are left unchanged.
LONG KIVRegEnumValue(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* reserved,
                     DWORD* type, BYTE* data, DWORD* dataSize, const char16_t* registryFile);

// Writes one value; a null name is the key's default value. The registry file
// keeps the data as text (up to its first NUL within dataSize bytes) and
// stores neither the type nor the size.
LONG KIVRegSetValue(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD dataSize, const char16_t* registryFile);

// Closes a key. On the registry file there is nothing to close: returns 1.
LONG KIVRegCloseKey(HKEY key, const char16_t* registryFile);

// Deletes the registry file of that name in the Windows folder ("KIV.reg"
// when the name is null).
void KIVDeleteRegistryFile(const char16_t* registryFile);
