// The setup program (Setup.exe on a medium): everything it does is the
// wizard's and the setup flow's.
#include "wizard/KIVSetupWizard.h"

int main() {
    return RunSetupProgram();
}
