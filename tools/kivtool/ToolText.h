// Text between the tool's terminal (UTF-8) and the setup's wide texts.
#pragma once

#include "toolkit/KIVString.h"

#include <string>

// A wide text as UTF-8; empty when it does not convert.
std::string Utf8FromWide(const char16_t* wide);
// A UTF-8 text as a wide one (at most MAX_PATH characters); empty when it
// does not convert.
KIVString WideFromUtf8(const std::string& utf8);
