// "kivtool machine restart": carries out on the machine in use what its next
// start would, and prints each replacement made.
#pragma once

#include <string>
#include <vector>

// The runner of the sub-command (args: the words after "restart"; --help
// prints its usage); the exit status is 0 when every replacement was made,
// 1 otherwise.
int RunMachineRestart(const std::vector<std::string>& args);
