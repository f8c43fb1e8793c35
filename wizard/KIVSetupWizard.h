// KIVSetupWizard: the setup program's application object with its pages:
// KIVInstallApp's flow asks it for each page of the sequence, which it makes,
// runs modally and destroys.
#pragma once

#include "setup/KIVInstallApp.h"

class KIVSetupWizard : public KIVInstallApp {
public:
    using KIVInstallApp::KIVInstallApp;

    INT_PTR RunPage(SetupPage page) override;
};

// The process entry of the setup program: the program's paths and the start
// language from its own path, then the toolkit's start-up with the wizard.
// Returns the process's exit code, 0 on every path.
int RunSetupProgram();
