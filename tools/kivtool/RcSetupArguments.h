// The setup's numbered texts whose "%s" arguments are fixed by the code that
// formats them (100 to 150): single texts with their own count, and the two
// default licence agreements whose texts are joined and then formatted as a
// whole, so that only their total count is fixed.
#pragma once

#include "tools/kivtool/RcTexts.h"

// Every text of 100..150 present in the language must take only "%s"
// arguments, as many as the setup gives it; a group must take its count in
// total. A wrong text is an error naming its line: the text whose "%s" goes
// past the count, or the group's last text when the group falls short.
bool CheckSetupArguments(const std::string& path, const RcTexts& texts, RcError* error);
