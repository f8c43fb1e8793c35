// The command line of one "kivtool reg" sub-command: "--help" (or "-h")
// asks for its help; the sub-command's own option, when it has one, sets a
// flag; any other word that begins with "-" is an unknown option; "--" ends the options, so that a
// value name such as "-x" can follow it; the remaining words are the operands, of which the
// sub-command takes a fixed range.
#pragma once

#include <string>
#include <vector>

struct RegArgumentRule {
    const char* firstOperand; // the required operand ("KEY"); null when none is required
    std::size_t maxOperands;
    const char* option = nullptr; // the one option the sub-command takes ("--utf8")
};

struct RegArguments {
    bool help = false;
    bool option = false; // the sub-command's option was given
    std::vector<std::string> operands;
    std::string problem; // what is wrong with the command line; empty when nothing is
};

RegArguments ParseRegArguments(const std::vector<std::string>& words, const RegArgumentRule& rule);
