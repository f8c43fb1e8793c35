// The checks of a medium that "kivtool dist build" has made, before it is
// called a medium: the description check on config.ini, the volume check on
// every volume against it, and every language folder complete. Each
// finding becomes an error (or, for what the description check only warns
// about, a warning) at the project line it comes from.
#pragma once

#include "tools/kivtool/DistConfig.h"

bool CheckDistMedium(const DistProject& project, const DistConfigText& config,
                     const std::string& configPath, int volumes, const std::filesystem::path& files,
                     std::vector<DistError>* errors, std::vector<DistError>* warnings);
