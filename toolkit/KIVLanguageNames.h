// The user-interface languages by identifier and name: the names are the
// folders under "Languages" and the text of the "Language" registry value.
#pragma once

#include "platform/WinTypes.h"

#include <cstdint>

enum KIVLanguageId : std::int32_t {
    kKIVEnglish = 0,
    kKIVFrench = 1,
    kKIVGerman = 2,
    kKIVJapanese = 3,
    kKIVItalian = 4,
    kKIVSpanish = 5,
};

// The name of a language identifier; "English" for one outside the table.
const char* KIVLanguageName(std::int32_t id);

// The language of a user's default language identifier (its low 10 bits):
// Catalan and Spanish give "Spanish", German, French, Italian and Japanese
// their own, any other "English".
const char* KIVLanguageNameOfUser(LANGID userLanguage);
