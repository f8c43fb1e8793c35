// The check of a medium's file names against the code pages of the
// languages it offers. A packed member's name is stored as bytes of the
// project's code page and read back as bytes of the machine's; a copied
// file keeps its own name, which the machine must be able to write in its
// code page. A name that a language's code page cannot spell fails its
// entry on the machines of that language, or installs under another name.
#pragma once

#include "tools/kivtool/DistEntries.h"

// Reports every such name with the line of its folder, the language and
// the code page: as errors, or as warnings when the project lets them pass
// ([medium] unspellable-names = warning). False when it found errors.
bool CheckDistNames(const DistProject& project, const std::vector<DistEntry>& entries,
                    std::vector<DistError>* errors, std::vector<DistError>* warnings);
