// WriteRegistryKeys: writes the registry keys of the setup description, in
// order, once the files are installed (or at once when the setup installs no
// files), into the system registry or into the registry file that the system
// layer keeps in the Windows folder (toolkit/KIVRegistry.h).
#pragma once

#include "engine/ExpandSetupText.h"
#include "engine/RegistryKeyList.h"
#include "engine/RegistryKeyRecord.h"

#include <vector>

// The description's choice of store.
struct RegistryStoreChoice {
    bool useRegistryFile = false;               // keys without WINREG go to the registry file
    bool deleteRegistryFile = false;            // delete that file before the first key
    const char16_t* registryFileName = nullptr; // the file's name in the Windows folder
};

// For each key: substitutes setup variables in its path, opens the root named
// before the first "\" (RootKeyFromName) and creates or opens every further
// level with KEY_WRITE (a path ending in "\" ends there; a path without "\"
// is the root itself), then sets its values in order: the name "<DEFAULT>"
// (exact case) is the default value, the data as RegistryValueData forms it.
// A key written without DONTUNINSTALL joins writtenKeys with its expanded path.
//
// Returns false at once when a level cannot be created, a root name is not
// recognised, a value cannot be set, or a substituted path or text is longer
// than 259 characters; the keys before stay written, and the failing key does
// not join writtenKeys. True when every key and value was written.
//
// With a journal, a key that will join writtenKeys is listed in it before it
// is opened, and each of its values before it is set. An observer is told of
// each key after it was written, and of the key that failed.
class InstallJournal;
class InstallObserver;
bool WriteRegistryKeys(const std::vector<RegistryKeyRecord>& keys, const RegistryStoreChoice& store,
                       const ExpandSetupText& expand, RegistryKeyList* writtenKeys,
                       InstallJournal* journal = nullptr, InstallObserver* observer = nullptr);
