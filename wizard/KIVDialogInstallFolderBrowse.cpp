#include "wizard/KIVDialogInstallFolder.h"

// The folder browser is not wired in yet: Browse reads the field.
void KIVDialogInstallFolder::BrowseForFolder() {
    ReadFolder();
}
