// UninstallProgramGroups: removes the product's program groups, which the
// uninstall record does not list: its last line names the group. In
// "<Common Programs>\<name>" and "<Programs>\<name>" (the "Shell Folders"
// values, else the shell), each .LNK file whose target lies inside the
// installation folder goes; the group folder goes when nothing else is left
// in it. A link to anything else, a .LNK that is no shell link, and a
// group name that is not a plain name (it could lead out of the Programs
// folder) leave everything as it is.
#pragma once

#include "engine/UninstallRecord.h"
#include "engine/UninstallRun.h"

void UninstallProgramGroups(const UninstallRecord& record, const std::string& installFolder,
                            UninstallRun& run);
