// SetupDescriptionLines: where the loader found each record of a setup
// description, and what it read but does not keep (keywords as written,
// fields that are not plain numbers, how the registry keys ended), so that a
// checker can point a vendor at the line to fix. Line numbers count every
// line of the file from 1; 0 means the line was never read. The setup
// program itself does not look at it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A field read as a number that is not a plain decimal number: the setup
// reads "12k" as 12, "yes" as 0, and clamps one beyond the 32-bit range.
struct SetupDescriptionOddNumber {
    int line = 0;
    std::string what; // "install entry 2: size"
    std::string field;
};

struct SetupEntryLines {
    int entryLine = 0;
    int nameListLine = 0;
    std::string packedWord;   // field 7 as written
    std::string platformWord; // field 8 as written
};

struct SetupKeyLines {
    int keyLine = 0;
    std::vector<int> valueLines;
};

// How the registry keys ended: at the "[ENDREGBASE]" line, at a line in the
// place of a key line without a bracketed path, or at the end of the file.
enum class SetupRegistryEnd { kNotRead, kEndLine, kStrayLine, kFileEnded };

struct SetupDescriptionLines {
    int header[19] = {}; // [1] to [18]
    std::string predecompWord;
    std::vector<SetupEntryLines> entries;
    std::vector<int> components;
    std::vector<int> setupTypes;
    std::vector<int> shortcuts;
    std::vector<int> volumes;
    std::vector<SetupKeyLines> registryKeys;
    SetupRegistryEnd registryEnd = SetupRegistryEnd::kNotRead;
    int registryEndLine = 0;
    int optionCountLine = 0;
    std::int32_t optionCount = 0;
    int options[29] = {}; // [1] to [28]
    std::vector<SetupDescriptionOddNumber> oddNumbers;
};
