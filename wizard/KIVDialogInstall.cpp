#include "wizard/KIVDialogInstall.h"

#include "wizard/ExpandControlText.h"

void KIVDialogInstall::OnInitControls() {
    KIVDialogConfirmCancel::OnInitControls();
    ExpandControlText(*this, kGreeting, App().state);
}
