// The header lines and the options: the product's names, the languages and
// the settings that only make sense together.
#include "tools/kivtool/ConfigCheck.h"

#include "setup/SetupDescriptionReader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

void CheckNames(const SetupDescription& d, ConfigProblems& problems) {
    const int* line = d.sourceLines.header;
    if (!d.applicationName[0])
        problems.Error(line[7], "the application name is empty: it names the installation "
                                "folder and the program group");
    if (char c = ForbiddenNameCharacter(d.applicationName, false))
        problems.Error(line[7], "the application name " + Quoted(d.applicationName) + " holds '" +
                                    c + "', which a folder name cannot hold");
    if (!d.longApplicationName[0])
        problems.Warning(line[8], "the long application name is empty");
    if (char c = ForbiddenNameCharacter(d.programFileBaseName, true))
        problems.Error(line[9], "the program file base name " + Quoted(d.programFileBaseName) +
                                    " holds '" + c + "', which a file name cannot hold");
}

void CheckLanguages(const SetupDescription& d, ConfigProblems& problems) {
    const int line = d.sourceLines.header[13];
    if (!(d.availableLanguages & kAllLanguages))
        problems.Error(line, "the available languages (" + std::to_string(d.availableLanguages) +
                                 ") name none of English 1, French 2, German 4, Japanese 8");
    const std::string extra = ExtraLanguageBits(d.availableLanguages);
    if (!extra.empty())
        problems.Warning(line, "the available languages hold bits beyond the four languages (" +
                                   extra + "); they are ignored");
}

// Options that depend on a text elsewhere in the description.
void CheckOptionPairs(const SetupDescription& d, ConfigProblems& problems) {
    const int* line = d.sourceLines.options;
    if (d.OptionFlag(kOptionUpdateMode) && !d.OptionText(kOptionPreviousInstallFile)[0])
        problems.Error(line[kOptionUpdateMode],
                       "update mode is set but option 13 names no previous-installation file");
    if (d.OptionFlag(kOptionOfferStartProduct) && !d.programFileBaseName[0])
        problems.Error(line[kOptionOfferStartProduct],
                       "the completion page offers to start the product, but the program file "
                       "base name (header line 9) is empty");
    if (d.OptionFlag(kOptionLicencePage) && !d.agreementFileName[0])
        problems.Warning(line[kOptionLicencePage],
                         "the licence page is shown but no agreement file is named (header "
                         "line 6): it shows the built-in text");
}

} // namespace

void CheckHeader(const SetupDescription& d, ConfigProblems& problems) {
    if (std::strcmp(d.formatVersion, "1.10") != 0)
        problems.Error(d.sourceLines.header[1], "the format version is " + Quoted(d.formatVersion) +
                                                    "; descriptions are written with \"1.10\"");
    CheckNames(d, problems);
    CheckLanguages(d, problems);
    if (d.sourceLines.predecompWord != "predecomp")
        problems.Warning(d.sourceLines.header[18], "header line 18 begins with " +
                                                       Quoted(d.sourceLines.predecompWord) +
                                                       ", not \"predecomp\"");
    if (d.TotalInstallSize() == INT32_MAX)
        problems.Error(0, "the install entries' sizes add up to 2 GB or more, beyond the "
                          "setup's 32-bit byte counts");
}

void CheckOptions(const SetupDescription& d, ConfigProblems& problems) {
    const SetupDescriptionLines& lines = d.sourceLines;
    if (lines.registryEnd == SetupRegistryEnd::kNotRead ||
        lines.registryEnd == SetupRegistryEnd::kFileEnded)
        return; // the registry check has said why no option was read
    if (!lines.optionCountLine) {
        problems.Error(0, "the file ends before the option count line: no option is read");
        return;
    }
    const int count = std::max(lines.optionCount, 0); // a negative count reads no option
    const int written = std::min(count, SetupDescription::kOptionCount);
    if (d.optionsRead < written)
        problems.Error(0, "the file ends after option " + std::to_string(d.optionsRead) + " of " +
                              std::to_string(written));
    else if (count < SetupDescription::kOptionCount)
        problems.Warning(lines.optionCountLine,
                         "only " + std::to_string(count) +
                             " of the 28 options are written; the others stay 0 or empty");
    else if (lines.optionCount > SetupDescription::kOptionCount)
        problems.Warning(lines.optionCountLine, "option count " +
                                                    std::to_string(lines.optionCount) +
                                                    ": lines beyond option 28 are not read");
    for (int k = 1; k <= d.optionsRead; ++k)
        if (!SetupDescription::IsTextOption(k) &&
            !SetupDescriptionReader::IsPlainNumber(d.OptionText(k)))
            problems.Error(lines.options[k], "option " + std::to_string(k) + " is " +
                                                 Quoted(d.OptionText(k)) +
                                                 ", not a number: the setup reads it as " +
                                                 std::to_string(d.OptionNumber(k)));
    CheckOptionPairs(d, problems);
}
