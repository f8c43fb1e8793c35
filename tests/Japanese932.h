// The settings of a machine whose ANSI code page is 932 (Japanese): its
// double-byte characters may end in 0x5C, the byte of the backslash.
#pragma once

#include "platform/Machine.h"

inline MachineSettings Japanese932Settings(PlatformFamily family = PlatformFamily::NT) {
    MachineSettings settings;
    settings.family = family;
    settings.codePage = 932;
    return settings;
}
