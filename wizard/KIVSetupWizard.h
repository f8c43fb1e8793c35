// KIVSetupWizard: the setup program's application object with its pages:
// KIVInstallApp's flow asks it for each page of the sequence, which it makes,
// runs modally and destroys.
#pragma once

#include "setup/KIVInstallApp.h"

#include <string>
#include <vector>

class KIVSetupWizard : public KIVInstallApp {
public:
    using KIVInstallApp::KIVInstallApp;

    INT_PTR RunPage(SetupPage page) override;
};

// The process entry of the setup program: its command line (args after the
// program's name), the program's paths and the start language from its own
// path, then the toolkit's start-up with the wizard. An unattended setup
// runs on the headless display. Returns the process's exit code
// (SetupExitCode) when the setup could not begin; otherwise the orderly exit
// ends the process.
int RunSetupProgram(const std::vector<std::string>& args);
