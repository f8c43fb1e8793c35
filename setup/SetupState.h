// SetupState: the state that the setup description, the setup variables and
// the language choice give the setup's application object, which owns one
// SetupState for the whole run: the description, the variables, the current
// language, the registry file name, the chosen setup type with the required
// size, and the program's paths.
#pragma once

#include "setup/SetupDescription.h"
#include "setup/SetupVariables.h"
#include "toolkit/KIVString.h"

#include <cstdint>

enum SetupTypeNumber : std::int32_t { kSetupTypical = 0, kSetupCompact = 1, kSetupCustom = 2 };

// The names the setup types are looked up by, in number order: "Typical",
// "Compact", "Custom".
extern const char* const kSetupTypeNames[3];

struct SetupState {
    SetupDescription description;
    SetupVariables variables;
    std::int32_t currentLanguage = 1; // one language code
    KIVString applicationName;        // header line 7 of the description
    KIVString registryFileName;       // option 7, or the last chosen component's
    std::int32_t setupTypeNumber = kSetupTypical;
    SetupType* chosenSetupType = nullptr;
    std::int32_t requiredSize = 0; // bytes

    KIVString programName;      // the program's file name without extension ("Setup")
    KIVString setupFolder;      // the program's folder, without a trailing backslash
    KIVString setupFilesFolder; // "<setup folder>\<program name> files"
    KIVString languageFolder;   // full path of the current language's folder
    KIVString resourceBasePath; // the language resources, relative to the setup folder
};

// Derives the program name, the setup folder, the setup-files folder and
// INSTALLSRC from the program's own path. False when the path has no "." or
// no backslash before it (the setup then ends).
bool SetProgramPath(SetupState& state, const char16_t* programPath);

// After loading the description: the long application name, the application
// name, the version, the program file base name, the registry file name
// (option 7), and INSTALLSRC as the setup folder joined with option 16.
void TakeDescriptionValues(SetupState& state);

// Chooses the first setup type named "Typical", "Compact" or "Custom" for the
// number and computes the required size from it. When none is found the
// chosen type stays empty and the required size keeps its value.
void SelectSetupType(SetupState& state, std::int32_t number);

// The sizes of a component's PC install entries; of a setup type's selected,
// enabled components for the current language. ComputeSetupTypeSize also
// makes the last such component that names a registry file the one in force.
// Sums saturate at the 32-bit limits.
std::int32_t ComputeComponentSize(const Component& component);
std::int32_t ComputeSetupTypeSize(SetupState& state, const SetupType& type);
