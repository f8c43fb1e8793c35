#include "setup/SetupFolderCheck.h"

#include "setup/SetupFolderProbe.h"
#include "setup/SetupFreeSpace.h"
#include "setup/SetupInstallFolder.h"
#include "setup/SetupTexts.h"

bool CheckInstallFolder(const SetupState& state, KIVString* message, std::string* reason) {
    const KIVString& folder = state.variables.installDst;
    if (!IsInstallFolderPath(folder, reason) || !ProbeFolder(folder)) {
        *message = SetupText(kTextFolderUnusable);
        return false;
    }
    double free = 0.0;
    if (!FreeSpaceOf(folder, &free)) {
        *message = SetupText(kTextUnknownSpace);
        return false;
    }
    if (static_cast<double>(state.requiredSize) <= free)
        return true;
    const KIVString freeText = SizeTextOf(free), requiredText = SizeTextOf(state.requiredSize);
    *message = FormatTextArguments(SetupText(kTextNotEnoughSpace), {freeText, requiredText});
    return false;
}
