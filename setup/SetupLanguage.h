// The setup's four languages: their codes (single bits, so that a set of
// languages is a bit set) and names, the paths of a language's folder and
// resource files, the check that a language folder is usable, the start
// language, the reduction of the available languages and the switch to a
// language chosen on the language page.
//
// For a program named P in the setup folder S, the language N has
//   relative folder  "P files\Languages\N"
//   resource base    "P files\Languages\N\P"   (relative to S, no extension)
//   language folder  "S\P files\Languages\N"
#pragma once

#include "platform/WinTypes.h"
#include "toolkit/KIVString.h"

#include <cstdint>

struct SetupState;

enum LanguageCode : std::int32_t {
    kLanguageEnglish = 1,
    kLanguageFrench = 2,
    kLanguageGerman = 4,
    kLanguageJapanese = 8,
};

// "English", "French", "German" or "Japanese"; empty for any other code.
const char16_t* LanguageName(std::int32_t code);

// The code for a user default language identifier: its primary language
// German gives German, French French, Japanese Japanese, anything else English.
std::int32_t StartLanguage(LANGID languageId);

// Sets the state's language folder and resource base path for the code and
// returns the resource base path.
KIVString SetLanguagePaths(SetupState& state, std::int32_t code);

// Whether the language whose paths are set is usable: its "P.era" file opens
// for reading.
bool CheckLanguage(const SetupState& state);

// The language at the program's start: the user's default language when its
// folder is usable, else English when usable. Sets the current language and
// its paths; 0 when neither is usable (the setup then ends).
std::int32_t ChooseStartLanguage(SetupState& state);

// Clears from the description's available languages every bit that is not a
// language code and every language whose folder is not usable, then sets the
// paths of the current language again. The current language stays as it is,
// even when it is no longer (or never was) among the available ones: what to
// do then is the start-up flow's decision.
void ReduceAvailableLanguages(SetupState& state);

// After the language page: when the current language differs from previous,
// sets its paths, stores the path to load the language resources from
// ("S\" and the resource base path) in *resourcePath and returns true.
bool SwitchLanguage(SetupState& state, std::int32_t previous, KIVString* resourcePath);
