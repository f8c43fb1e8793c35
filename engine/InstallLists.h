// The lists that the installation fills and the uninstall record is written
// from, owned by the setup's application object: the installed files (each
// member unpacked, each file copied, the start-up shortcut), the destination
// folder of each install entry in installation order with repeats kept, and
// the registry keys written without DONTUNINSTALL. They have no lock: the
// worker fills them while the user-interface thread waits, and the
// user-interface thread adds to them only when no worker runs.
#pragma once

#include "engine/InstalledFileList.h"
#include "engine/RegistryKeyList.h"

struct InstallLists {
    InstalledFileList files;   // full paths, ANSI
    InstalledFileList folders; // full paths, ANSI
    RegistryKeyList registryKeys;

    // True when the installation left nothing behind to uninstall.
    bool IsEmpty() const {
        return files.GetSize() == 0 && folders.GetSize() == 0 && registryKeys.GetSize() == 0;
    }
};
