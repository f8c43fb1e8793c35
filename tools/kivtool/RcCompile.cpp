// The compiler of "kivtool rc", shared with "kivtool dist build": one
// language's sources into its six language resource files.
#include "tools/kivtool/RcCompile.h"
#include "tools/kivtool/RcCaptions.h"
#include "tools/kivtool/RcDialogs.h"
#include "tools/kivtool/RcFonts.h"
#include "tools/kivtool/RcOutput.h"
#include "tools/kivtool/RcSetupArguments.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

const char* const kLanguages[] = {"English", "French", "German", "Japanese", "Italian", "Spanish"};

bool ReadLanguage(const std::string& path, std::int32_t* language, RcError* error) {
    std::vector<RcLine> lines;
    if (!ReadSourceLines(path, true, &lines, error))
        return false;
    for (const RcLine& line : lines) {
        const std::size_t equals = line.text.find('=');
        const std::string value = Trim(line.text.substr(equals + 1));
        bool ok = equals != std::string::npos && Trim(line.text.substr(0, equals)) == "language";
        for (std::int32_t i = 0; ok && i < 6; ++i)
            if (value == kLanguages[i])
                *language = i;
        if (!ok || (*language < 0 && !ParseLong(value, language))) {
            *error = {path, line.number,
                      "expected: language = English|French|German|Japanese|"
                      "Italian|Spanish or a number"};
            return false;
        }
    }
    if (*language < 0)
        *error = {path, 0, "no language line"};
    return *language >= 0;
}

// The texts of the language, checked against the setup's fixed arguments
// and against the English ones.
bool CompileTexts(const std::string& source, const std::string& english, RcTexts* texts,
                  RcRecords* records, RcError* error) {
    if (!ReadTexts(source + "/texts.txt", texts, error) ||
        !CheckSetupArguments(source + "/texts.txt", *texts, error))
        return false;
    std::error_code code;
    if (!fs::equivalent(source, english, code)) {
        RcTexts englishTexts;
        if (!ReadTexts(english + "/texts.txt", &englishTexts, error) ||
            !CheckArgumentsAgainst(source + "/texts.txt", *texts, englishTexts, error))
            return false;
    }
    for (const auto& [id, text] : *texts) {
        RcBytes record;
        record.Long(0);
        record.Long(static_cast<std::int32_t>(text.text.size()));
        record.Units(text.text);
        (*records)[id] = std::move(record.bytes);
    }
    return true;
}

// The language's own layouts, and the English ones it does not give.
bool CompileDialogs(const std::string& source, const std::string& english, const RcTexts& texts,
                    RcDialogs* all, RcRecords* records, RcError* error) {
    RcDialogs& own = *all;
    RcDialogs shared;
    std::error_code code;
    if (!ReadDialogs(source + "/dialogs.txt", false, &own, error) ||
        (!fs::equivalent(source, english, code) &&
         !ReadDialogs(english + "/dialogs.txt", false, &shared, error)))
        return false;
    own.merge(shared);
    for (const auto& [id, dialog] : own)
        if (!EncodeDialog(dialog, texts, &(*records)[id], error))
            return false;
    return true;
}

// The language's own pictures, and the English ones it does not give.
bool CompileAllPictures(const std::string& source, const std::string& english, RcRecords* records,
                        RcError* error) {
    RcRecords shared;
    std::error_code code;
    if (!CompilePictures(source + "/pictures", records, error) ||
        (!fs::equivalent(source, english, code) &&
         !CompilePictures(english + "/pictures", &shared, error)))
        return false;
    records->merge(shared);
    return true;
}

// The captions of the language's dialogs and message boxes in its fonts.
bool CheckAllCaptions(const std::string& source, std::int32_t language, const RcDialogs& dialogs,
                      const RcTexts& texts, const RcRecords& fonts, const RcRecords& pictures,
                      RcError* error) {
    const std::vector<std::uint8_t> fontFile = BuildRecordFile(language, fonts);
    const std::vector<std::uint8_t> pictureFile = BuildRecordFile(language, pictures);
    RcCaptionSources sources;
    sources.language = language < 6 ? kLanguages[language] : "language " + std::to_string(language);
    sources.textsFile = source + "/texts.txt";
    sources.fonts = &fontFile;
    sources.pictures = &pictureFile;
    sources.japanese = language == 3;
    return CheckCaptions(dialogs, texts, sources, error);
}

// The English sources: beside the language's folder unless named.
std::string EnglishFolder(const std::string& source) {
    fs::path folder = fs::absolute(source).lexically_normal();
    if (folder.filename().empty())
        folder = folder.parent_path();
    return (folder.parent_path() / "English").string();
}

bool WriteAll(const std::string& base, std::int32_t language, const RcRecords& fonts,
              const RcRecords& pictures, const RcRecords& dialogs,
              const std::vector<RcAcceleratorLine>& accelerators, const RcRecords& strings,
              RcError* error) {
    std::vector<RcOutputFile> files(6);
    files[0] = {".erf", BuildRecordFile(language, fonts)};
    files[1] = {".erb", BuildRecordFile(language, pictures)};
    files[2] = {".erd", BuildRecordFile(language, dialogs)};
    files[3] = {".erm", BuildRecordFile(language, RcRecords())};
    files[4] = {".era", BuildAcceleratorFile(language, accelerators)};
    files[5] = {".ers", BuildRecordFile(language, strings)};
    return WriteOutputs(base, files, error);
}

} // namespace

bool CompileLanguageResources(const std::string& source, const std::string& base,
                              std::string english, RcError* error) {
    if (english.empty())
        english = EnglishFolder(source);
    std::int32_t language = -1;
    RcTexts texts;
    RcDialogs layouts;
    RcRecords strings, dialogs, pictures, fonts;
    std::vector<RcAcceleratorLine> accelerators;
    return ReadLanguage(source + "/language.txt", &language, error) &&
           CompileTexts(source, english, &texts, &strings, error) &&
           CompileDialogs(source, english, texts, &layouts, &dialogs, error) &&
           CompileAllPictures(source, english, &pictures, error) &&
           CompileFonts(source + "/fonts.txt", source, &fonts, error) &&
           CheckAllCaptions(source, language, layouts, texts, fonts, pictures, error) &&
           ReadAccelerators(source + "/accelerators.txt", &accelerators, error) &&
           WriteAll(base, language, fonts, pictures, dialogs, accelerators, strings, error);
}
