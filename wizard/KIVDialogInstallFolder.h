// KIVDialogInstallFolder: what the setup type page and the custom page share:
// the installation folder's field with its Browse button, and the check made
// on Next that the folder can be written and the chosen setup fits on its
// disk.
#pragma once

#include "wizard/KIVDialogConfirmCancel.h"

class KIVDialogInstallFolder : public KIVDialogConfirmCancel {
public:
    static constexpr LONG kBrowse = 1300;
    static constexpr LONG kFolder = 1302;

    using KIVDialogConfirmCancel::KIVDialogConfirmCancel;

    // Runs the folder browser for the folder field; a folder chosen there
    // becomes the installation folder.
    void BrowseForFolder();
    // Ends the page with Next when the folder can be written and the setup
    // fits on its disk, or when the user goes on despite a question;
    // otherwise the page stays open.
    void DiskSpaceCheck();

protected:
    // The installation folder from the folder field.
    void ReadFolder();
};
