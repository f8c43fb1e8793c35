// "kivtool dist init": a starting project file for a product folder, for
// the vendor to edit. One component per top-level folder (with a [folder]
// for it and for each folder below it), the files at the top as the main
// program component, Typical, Compact and Custom, the program found among
// the top-level .exe files, the defaults written out with comments.
#pragma once

#include <filesystem>
#include <string>

// The project text; paths are written relative to base (the folder the
// project file will lie in). False with a message when the folder cannot
// be read.
bool WriteDistInit(const std::filesystem::path& product, const std::filesystem::path& base,
                   std::string* text, std::string* error);
