#include "wizard/KIVDialogInstallFolder.h"

#include "setup/SetupFolderProbe.h"
#include "setup/SetupFreeSpace.h"
#include "setup/SetupTexts.h"

void KIVDialogInstallFolder::ReadFolder() {
    App().state.variables.installDst = ControlText(kFolder);
}

void KIVDialogInstallFolder::DiskSpaceCheck() {
    KIVInstallApp& app = App();
    SetupState& state = app.state;
    if (!ProbeFolder(state.variables.installDst)) {
        Message(kTextFolderUnusable, 0x10001);
        return;
    }
    SelectSetupType(state, state.setupTypeNumber);
    double free = 0.0;
    if (!FreeSpaceOf(state.variables.installDst, &free)) {
        if (Message(kTextUnknownSpace, 0x4000c) != IDNO)
            EndDialog(kNext);
        return;
    }
    if (static_cast<double>(state.requiredSize) <= free) {
        EndDialog(kNext);
        return;
    }
    const KIVString freeText = app.SizeText(free);
    const KIVString requiredText = app.SizeText(state.requiredSize);
    if (Message(kTextNotEnoughSpace, freeText, requiredText, 0x4000c) != IDNO)
        EndDialog(kNext);
}
