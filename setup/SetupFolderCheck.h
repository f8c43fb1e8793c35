// The checks the setup type page makes of the installation folder before
// it goes on, for a setup without pages (kivtool install): the folder's form,
// whether the setup can write there (the folder probe), and the free space
// against the size of the chosen setup type. Where the page asks whether to
// go on anyway, an installation without pages goes no further, as an
// unattended setup answers the page's question.
#pragma once

#include "setup/SetupState.h"

#include <string>

// True when the folder of state.variables.installDst is usable. Otherwise
// false with *message, the page's own message (texts 125, 123 or 122), and
// *reason, in English, what is wrong with the folder when its form is.
bool CheckInstallFolder(const SetupState& state, KIVString* message, std::string* reason);
