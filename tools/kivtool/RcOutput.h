// The compiled language resource files of kivtool rc: a 256-byte header
// (the language identifier, then zeros), a directory at 256 with an entry
// for every identifier from 0 to the highest (-1 where there is no item),
// then the items; and the accelerator file (count at 256, then its records).
// The six files are written beside their places and renamed into them only
// when all are written, so that a failure leaves no partial output.
#pragma once

#include "tools/kivtool/RcPictures.h"

#include <array>

struct RcAcceleratorLine {
    std::array<std::int32_t, 5> fields{}; // key, modifiers, command, flag, value
};

std::vector<std::uint8_t> BuildRecordFile(std::int32_t language, const RcRecords& items);
std::vector<std::uint8_t> BuildAcceleratorFile(std::int32_t language,
                                               const std::vector<RcAcceleratorLine>& lines);

struct RcOutputFile {
    std::string extension; // ".erf"
    std::vector<std::uint8_t> bytes;
};

// Writes OUT_BASE + extension for every file, or none of them.
bool WriteOutputs(const std::string& base, const std::vector<RcOutputFile>& files, RcError* error);

// Reads "accelerators.txt" (optional): KEY MODIFIERS COMMAND [FLAG [VALUE]],
// KEY a number, a letter or digit, or F1..F24; MODIFIERS "none" or ctrl,
// shift and alt joined by "+".
bool ReadAccelerators(const std::string& path, std::vector<RcAcceleratorLine>* lines,
                      RcError* error);
