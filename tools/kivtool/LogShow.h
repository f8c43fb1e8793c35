// An install log as a person reads it: one line per event with its time
// from the start, then a closing block with the result and, after a failure,
// the summary of what failed and what was left.
#pragma once

#include "tools/kivtool/LogReader.h"

#include <cstdint>
#include <string>

std::string ShowSetupLog(const SetupLogContent& log);

// A byte count as "512 bytes", "12.5 KB", "3.4 MB" or "1.2 GB".
std::string SizeText(std::int64_t bytes);
