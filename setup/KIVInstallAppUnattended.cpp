// What KIVInstallApp does for the people who deploy products: the answers of
// an unattended setup's message boxes, the refusal of a response the pages
// could not take, the choices kept for a response file, and the result code.
#include "setup/KIVInstallApp.h"

#include "setup/SetupFolderProbe.h"
#include "setup/SetupInstallFolder.h"
#include "setup/SetupLanguage.h"
#include "setup/SetupTexts.h"
#include "toolkit/KIVFileStream.h"
#include "toolkit/KIVMessageBoxDlg.h"
#include "toolkit/KIVUtf8.h"
#include "toolkit/drawing/KIVPrefixText.h"

#include <cstdio>

namespace {

// The button an unattended setup takes: the one that goes no further (No,
// then Cancel, then Abort), or the only one there is. Button identifiers
// are the results' plus 101.
LONG CautiousButton(DWORD style) {
    const KIVMessageBoxDlg::ButtonSet& set = KIVMessageBoxDlg::FindSet(style & 0xFFFF);
    for (LONG preferred : {108, 103, 104})
        for (LONG button : set.buttons)
            if (button == preferred)
                return button;
    return set.buttons.front();
}

void Warn(const std::string& text) {
    std::fprintf(stderr, "setup: %s\n", text.c_str());
}

} // namespace

int KIVInstallApp::UnattendedAnswer(const char16_t* text, DWORD style) {
    const LONG button = CautiousButton(style);
    lastMessage_ = text;
    const KIVString caption = GetText(KIVMessageBoxDlg::CaptionOf(button));
    const std::u16string shown = KIVPrefixText::Strip(caption);
    Warn("message: " + KIVUtf8FromWide(text) + " -> " + KIVUtf8FromWide(shown.c_str()));
    return static_cast<int>(button - 101);
}

// A result already set (a declined licence) stays.
void KIVInstallApp::RefuseResponse(const KIVString& reason) {
    refusal_ = reason.IsEmpty() ? lastMessage_ : reason;
    Warn(std::string("the ") + SetupPageName(currentPage_) +
         " page refused the response: " + KIVUtf8FromWide(refusal_));
    if (result_ == kExitInstalled)
        SetResult(kExitFailed);
}

void KIVInstallApp::RecordChoices() {
    if (commandLine.recordFile.empty())
        return;
    const SetupDescription& d = state.description;
    recorded.language = KIVUtf8FromWide(LanguageName(state.currentLanguage));
    if (d.OptionFlag(kOptionLicencePage))
        recorded.licenceAccepted = true;
    if (d.OptionFlag(kOptionUserInformationPage) && d.OptionFlag(kOptionUserNameField))
        recorded.userName = KIVUtf8FromWide(state.variables.userName);
    if (d.OptionFlag(kOptionUserInformationPage) && d.OptionFlag(kOptionCompanyField))
        recorded.company = KIVUtf8FromWide(state.variables.company);
    if (!d.OptionFlag(kOptionSetupTypePage))
        return;
    const std::int32_t type = state.setupTypeNumber;
    recorded.setupType = kSetupTypeNames[type >= 0 && type < 3 ? type : 0];
    recorded.folder = KIVUtf8FromWide(state.variables.installDst);
    if (type != kSetupCustom || !state.chosenSetupType)
        return;
    recorded.components.emplace();
    for (const Component* component : state.chosenSetupType->components)
        if (component->selected && (component->languages & state.currentLanguage))
            recorded.components->push_back(KIVUtf8FromWide(KIVString(component->name)));
}

// Written when the setup installed: a response that a later run replays.
void KIVInstallApp::WriteRecordedResponse() {
    if (commandLine.recordFile.empty() ||
        (result_ != kExitInstalled && result_ != kExitRestartNeeded))
        return;
    recorded.launch = choices.launch;
    recorded.startupShortcut = choices.startupShortcut;
    recorded.runPrograms = choices.runPrograms;
    const std::string text = FormatSetupResponse(recorded);
    KIVFileStream file;
    const KIVString path = KIVWideFromUtf8(commandLine.recordFile);
    if (!file.Open(KIVFileStream::kRawWrite, path, 0) ||
        file.Write(text.data(), static_cast<int>(text.size())) != static_cast<int>(text.size()))
        Warn("cannot write the response file " + commandLine.recordFile);
    file.Close();
}

// With no page that shows the folder, the folder of an unattended setup (/D
// or the response) is taken here, with the pages' check that it can be
// written.
bool KIVInstallApp::TakeUnattendedFolder() {
    if (!Unattended() || !response.folder || state.description.OptionFlag(kOptionSetupTypePage))
        return true;
    state.variables.installDst = KIVWideFromUtf8(*response.folder);
    std::string reason;
    if (IsInstallFolderPath(state.variables.installDst, &reason) &&
        ProbeFolder(state.variables.installDst))
        return true;
    refusal_ = GetText(kTextFolderUnusable);
    Warn("the folder " + *response.folder + " cannot be used: " + KIVUtf8FromWide(refusal_) +
         (reason.empty() ? std::string() : " (" + reason + ")"));
    SetResult(kExitFailed);
    return false;
}
