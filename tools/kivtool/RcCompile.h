// Compiles one language's resource sources (language.txt, texts.txt,
// fonts.txt, dialogs.txt, accelerators.txt, pictures/) into OUT_BASE.erf,
// .erb, .erd, .erm, .era and .ers. english names the English sources that
// give the checks and the shared layouts and pictures; empty: the folder
// English beside source. False with the file and line at fault; nothing is
// written then.
#pragma once

#include "tools/kivtool/RcSource.h"

bool CompileLanguageResources(const std::string& source, const std::string& base,
                              std::string english, RcError* error);
