// The language folders of a medium: "Setup files/Languages/<Language>/"
// with the setup's six language resource files, compiled from the sources
// of that language, and the language's licence file.
#pragma once

#include "tools/kivtool/DistProject.h"

// Compiles every language of the project from resources/<Language> (with
// resources/English for the shared parts) into files/Languages.
bool WriteDistLanguages(const DistProject& project, const DistText& resources,
                        const std::filesystem::path& files, DistError* error);

// The files a language folder must hold: the six resource files, and the
// licence when the licence page is shown.
std::vector<std::string> DistLanguageFiles(const DistProject& project);
