#include "setup/SetupLanguage.h"

#include "platform/WinBase.h"
#include "setup/SetupState.h"
#include "toolkit/KIVFileStream.h"

namespace {
const std::int32_t kCodes[] = {kLanguageEnglish, kLanguageFrench, kLanguageGerman,
                               kLanguageJapanese};

constexpr WORD kPrimaryGerman = 7;
constexpr WORD kPrimaryFrench = 12;
constexpr WORD kPrimaryJapanese = 17;
} // namespace

const char16_t* LanguageName(std::int32_t code) {
    switch (code) {
    case kLanguageEnglish:
        return u"English";
    case kLanguageFrench:
        return u"French";
    case kLanguageGerman:
        return u"German";
    case kLanguageJapanese:
        return u"Japanese";
    default:
        return u"";
    }
}

std::int32_t StartLanguage(LANGID languageId) {
    switch (PRIMARYLANGID(languageId)) {
    case kPrimaryGerman:
        return kLanguageGerman;
    case kPrimaryFrench:
        return kLanguageFrench;
    case kPrimaryJapanese:
        return kLanguageJapanese;
    default:
        return kLanguageEnglish;
    }
}

KIVString SetLanguagePaths(SetupState& state, std::int32_t code) {
    const KIVString relativeFolder =
        state.programName + u" files\\Languages\\" + LanguageName(code);
    state.resourceBasePath = relativeFolder + u"\\" + state.programName;
    state.languageFolder = state.setupFolder + u"\\" + relativeFolder;
    return state.resourceBasePath;
}

bool CheckLanguage(const SetupState& state) {
    const KIVString file = state.languageFolder + u"\\" + state.programName + u".era";
    return KIVFileStream::Exists(file);
}

std::int32_t ChooseStartLanguage(SetupState& state) {
    std::int32_t code = StartLanguage(GetUserDefaultLangID());
    SetLanguagePaths(state, code);
    if (!CheckLanguage(state)) {
        code = kLanguageEnglish;
        SetLanguagePaths(state, code);
        if (!CheckLanguage(state))
            return 0;
    }
    state.currentLanguage = code;
    return code;
}

void ReduceAvailableLanguages(SetupState& state) {
    std::int32_t& available = state.description.availableLanguages;
    available &= kLanguageEnglish | kLanguageFrench | kLanguageGerman | kLanguageJapanese;
    for (std::int32_t code : kCodes) {
        if (!(available & code))
            continue;
        SetLanguagePaths(state, code);
        if (!CheckLanguage(state))
            available &= ~code;
    }
    SetLanguagePaths(state, state.currentLanguage);
}

bool SwitchLanguage(SetupState& state, std::int32_t previous, KIVString* resourcePath) {
    if (state.currentLanguage == previous)
        return false;
    *resourcePath = state.setupFolder + u"\\" + SetLanguagePaths(state, state.currentLanguage);
    return true;
}
