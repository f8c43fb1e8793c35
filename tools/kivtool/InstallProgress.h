// What kivtool install shows while the worker runs: on a terminal a progress
// bar that is redrawn when its percentage or the current file changes,
// otherwise one line per install entry. The callbacks run on the worker
// thread, which alone writes to stderr while it runs.
#pragma once

#include "setup/SetupRecords.h"

#include <cstdint>

namespace InstallProgress {

// totalBytes: what the chosen components will write (0 when unknown).
void Begin(std::int64_t totalBytes, bool terminal);
void OnBytes(int count);
void OnName(const char* name);
void OnEntry(const InstallEntry& entry, const char16_t* folder);
// Ends the bar's line.
void End();
std::int64_t Bytes();

} // namespace InstallProgress
