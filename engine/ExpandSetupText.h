// How the install engine substitutes setup variables in a text of the setup
// description: the setup driver, which owns the variables, hands the engine a
// function that writes source into destination (size bytes, terminator
// included) with every variable reference replaced, cut to fit.
#pragma once

#include <functional>

using ExpandSetupText = std::function<void(const char* source, char* destination, int size)>;
