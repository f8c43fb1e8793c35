// The setup program (Setup.exe on a medium): everything it does is the
// wizard's and the setup flow's.
#include "wizard/KIVSetupWizard.h"

int main(int argc, char** argv) {
    return RunSetupProgram(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
}
