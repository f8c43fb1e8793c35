// Text between UTF-8 (files the setup reads and writes for people and
// scripts, the host's command line) and the toolkit's wide texts, of any
// length.
#pragma once

#include "toolkit/KIVString.h"

#include <string>

// A wide text as UTF-8; unpaired surrogates become U+FFFD, null gives "".
std::string KIVUtf8FromWide(const char16_t* wide);
// A UTF-8 text as a wide one; bytes that are not UTF-8 become U+FFFD.
KIVString KIVWideFromUtf8(const std::string& utf8);
