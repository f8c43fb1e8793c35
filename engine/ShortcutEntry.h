// One shortcut record of a setup description: a link in the program groups
// to a file of an install entry. Texts are narrow ANSI texts of at most 259
// characters in 260-byte buffers.
#pragma once

#include "engine/InstallEntry.h"

struct ShortcutEntry {
    char shortcutName[260] = {}; // the link file's name without extension
    char targetFile[260] = {};   // relative to the install entry's folder
    InstallEntry* entry = nullptr;
};
