// Writes one package of host files with the volume writer: shared by
// "kivtool pack create" and "kivtool dist build".
#pragma once

#include "tools/kivtool/PackSource.h"

#include "engine/ZipageWriter.h"

// One package holding members in their order; false with a message (the
// file that could not be read, or the writer's failure).
bool PackMembers(ZipageWriter& writer, const std::vector<PackSourceFile>& members,
                 ZipagePackageInfo* info, std::string* error);
