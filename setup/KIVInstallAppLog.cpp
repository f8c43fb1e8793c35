// The install log of the setup program (/LOG=FILE): its start, every page
// shown and left, every message with its answer, and the end with the
// result; the driver adds the installation's own lines.
#include "setup/KIVInstallApp.h"

#include "platform/Machine.h"
#include "platform/PathMap.h"
#include "setup/SetupLanguage.h"
#include "toolkit/KIVMessageBoxDlg.h"
#include "toolkit/KIVUtf8.h"
#include "toolkit/drawing/KIVPrefixText.h"

bool KIVInstallApp::OpenLog(std::string* error) {
    if (commandLine.logFile.empty())
        return true;
    std::string host;
    unsigned code = 0;
    if (!PathMap::ToHost(commandLine.logFile, &host, &code)) {
        *error = "cannot write the log " + commandLine.logFile + ": not a path on the machine";
        return false;
    }
    if (!log.Open(host, error))
        return false;
    driver.log = &log;
    return true;
}

void KIVInstallApp::LogStart() {
    std::vector<std::pair<std::string, std::string>> options;
    if (commandLine.silent)
        options.emplace_back("silent", "yes");
    const std::pair<const char*, const std::string*> given[] = {
        {"response", &commandLine.responseFile}, {"record", &commandLine.recordFile},
        {"folder", &commandLine.folder},         {"language", &commandLine.language},
        {"log", &commandLine.logFile},
    };
    for (const auto& [name, value] : given)
        if (!value->empty())
            options.emplace_back(name, *value);
    char16_t program[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    log.Start(KIVUtf8FromWide(program), KIVUtf8FromWide(state.setupFolder), Machine::DefaultRoot(),
              KIVUtf8FromWide(LanguageName(state.currentLanguage)), options);
}

// The answer as the button's caption (in the language in force), as shown.
void KIVInstallApp::LogMessage(const char16_t* text, int answer) {
    const std::u16string shown =
        KIVPrefixText::Strip(GetText(KIVMessageBoxDlg::CaptionOf(answer + 101)));
    log.Message(KIVUtf8FromWide(text), KIVUtf8FromWide(shown.c_str()));
}

// A setup that did not install says why, and what it left.
void KIVInstallApp::LogEnd() {
    std::string summary;
    if (result_ != kExitInstalled && result_ != kExitRestartNeeded) {
        if (!refusal_.IsEmpty())
            summary = "The response was refused: " + KIVUtf8FromWide(refusal_) + ". ";
        summary += driver.FailureSummary();
    }
    log.End(result_, SetupExitWord(result_), summary);
}
