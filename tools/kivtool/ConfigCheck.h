// The checks of "kivtool config check" on a setup description that the
// loader accepted: what no real description holds, although the setup reads
// it (a format version other than "1.10", texts with control bytes, setup
// types and components that install nothing, volumes that do not exist, a
// registry section without its end line, ...). Each part of the description
// has its own function; CheckSetupDescription runs them all.
#pragma once

#include "setup/SetupDescription.h"
#include "tools/kivtool/ConfigProblems.h"

void CheckSetupDescription(const SetupDescription& d, ConfigProblems& problems);

// ConfigCheckHeader.cpp
void CheckHeader(const SetupDescription& d, ConfigProblems& problems);
void CheckOptions(const SetupDescription& d, ConfigProblems& problems);
// ConfigCheckRecords.cpp
void CheckInstallEntries(const SetupDescription& d, ConfigProblems& problems);
void CheckComponents(const SetupDescription& d, ConfigProblems& problems);
void CheckSetupTypes(const SetupDescription& d, ConfigProblems& problems);
void CheckShortcuts(const SetupDescription& d, ConfigProblems& problems);
// ConfigCheckRegistry.cpp
void CheckRegistryKeys(const SetupDescription& d, ConfigProblems& problems);
// ConfigCheckTexts.cpp
void CheckTexts(const SetupDescription& d, ConfigProblems& problems);
void CheckNumbers(const SetupDescription& d, ConfigProblems& problems);

// Shared by the checks: the first character of text that a Windows file or
// folder name cannot hold (the backslash too unless allowed), or '\0'.
char ForbiddenNameCharacter(std::string_view text, bool allowBackslash);
// "16, 32": the language bits beyond the four languages, or "".
std::string ExtraLanguageBits(std::int32_t languages);

constexpr std::int32_t kAllLanguages = 1 | 2 | 4 | 8;
