// The summary that "kivtool config check" prints for a sound setup
// description: the product, the languages, how many records of each kind,
// and the options that are set, each by its number and name.
#pragma once

#include "setup/SetupDescription.h"

#include <cstdio>

void PrintConfigSummary(std::FILE* out, const SetupDescription& d);
