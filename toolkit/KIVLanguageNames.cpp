#include "toolkit/KIVLanguageNames.h"

namespace {

const char* const kNames[] = {"English", "French", "German", "Japanese", "Italian", "Spanish"};

constexpr WORD kPrimaryCatalan = 3;
constexpr WORD kPrimaryGerman = 7;
constexpr WORD kPrimarySpanish = 10;
constexpr WORD kPrimaryFrench = 12;
constexpr WORD kPrimaryItalian = 16;
constexpr WORD kPrimaryJapanese = 17;

} // namespace

const char* KIVLanguageName(std::int32_t id) {
    return id >= 0 && id < static_cast<std::int32_t>(sizeof kNames / sizeof kNames[0])
               ? kNames[id]
               : kNames[kKIVEnglish];
}

const char* KIVLanguageNameOfUser(LANGID userLanguage) {
    switch (userLanguage & 0x3FF) {
    case kPrimaryCatalan:
    case kPrimarySpanish:
        return kNames[kKIVSpanish];
    case kPrimaryGerman:
        return kNames[kKIVGerman];
    case kPrimaryFrench:
        return kNames[kKIVFrench];
    case kPrimaryItalian:
        return kNames[kKIVItalian];
    case kPrimaryJapanese:
        return kNames[kKIVJapanese];
    default:
        return kNames[kKIVEnglish];
    }
}
