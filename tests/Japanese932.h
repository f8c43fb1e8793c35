// The settings of a Japanese machine: its user language is Japanese and its
// ANSI code page 932, whose double-byte characters may end in 0x5C, the
// byte of the backslash.
#pragma once

#include "platform/Machine.h"

inline MachineSettings Japanese932Settings(PlatformFamily family = PlatformFamily::NT) {
    MachineSettings settings;
    settings.family = family;
    settings.languageId = 0x0411;
    settings.codePage = 932;
    return settings;
}
