#include "wizard/KIVDialogSoftwareLicense.h"

#include "setup/SetupTexts.h"
#include "toolkit/KIVSystem.h"
#include "toolkit/controls/KIVButtonCtrl.h"

#include <cstdio>

std::vector<char16_t> DecodeAgreement(const unsigned char* bytes, long size) {
    const long textBytes = size > 2 ? size - 2 : 0;
    std::vector<char16_t> text(static_cast<std::size_t>(textBytes / 2) + 1, u'\0');
    for (long i = 0; i + 1 < textBytes; i += 2)
        text[static_cast<std::size_t>(i / 2)] =
            static_cast<char16_t>(bytes[2 + i] * 256 + bytes[2 + i + 1]);
    return text;
}

KIVDialogSoftwareLicense::KIVDialogSoftwareLicense(CWnd* parent)
    : KIVDialogConfirmCancel(parent, kTemplate) {}

KIVDialogSoftwareLicense::~KIVDialogSoftwareLicense() = default;

void KIVDialogSoftwareLicense::OnInitControls() {
    KIVDialogConfirmCancel::OnInitControls();
    EnableControl(kNextButton, false);
    if (App().licenceChoice)
        TakeChoice(*App().licenceChoice);
    if (ReadAgreementFile())
        SetControlText(kAgreement, agreement_.data());
    else
        SetControlText(kAgreement, DefaultAgreement());
    SetControlText(kHeading,
                   FormatTextArguments(App().GetText(kTextHeading),
                                       {KIVString(App().state.description.applicationName)}));
}

// The agreement file of the current language; false when it does not open.
bool KIVDialogSoftwareLicense::ReadAgreementFile() {
    const SetupState& state = App().state;
    const KIVString path =
        state.languageFolder + u"\\" + KIVString(state.description.agreementFileName);
    FILE* file = KIVFileOpen(path, "rb");
    if (!file)
        return false;
    std::vector<unsigned char> bytes;
    unsigned char block[65536];
    std::size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0 &&
           static_cast<long>(bytes.size()) < kMaxAgreementBytes)
        bytes.insert(bytes.end(), block, block + got);
    std::fclose(file);
    if (static_cast<long>(bytes.size()) > kMaxAgreementBytes)
        bytes.resize(kMaxAgreementBytes);
    agreement_ = DecodeAgreement(bytes.data(), static_cast<long>(bytes.size()));
    return true;
}

// Texts 131 to 143 with the long application name for their two "%s", or
// with the alternative agreement option texts 144 to 150 with it for four.
KIVString KIVDialogSoftwareLicense::DefaultAgreement() const {
    const KIVInstallApp& app = App();
    const bool alternative = app.state.description.OptionFlag(kOptionAlternativeAgreement);
    const int first = alternative ? 144 : 131, last = alternative ? 150 : 143;
    KIVString format;
    for (int id = first; id <= last; ++id)
        format += app.GetText(id);
    const char16_t* name = app.state.variables.longAppName;
    return FormatTextArguments(format, {name, name, name, name});
}

// An unattended setup accepts the agreement unless the response declines it.
bool KIVDialogSoftwareLicense::TakeResponse(const SetupResponse& response, KIVString*) {
    TakeChoice(response.licenceAccepted.value_or(true));
    return true;
}

void KIVDialogSoftwareLicense::TakeChoice(bool accepted) {
    accepted_ = accepted;
    App().licenceChoice = accepted;
    if (auto* radio = dynamic_cast<KIVButtonCtrl*>(GetControl(accepted ? kAccept : kDecline)))
        radio->SetChecked(1);
    EnableControl(kNextButton, true);
}

void KIVDialogSoftwareLicense::OnNext() {
    if (accepted_) {
        EndDialog(kNext);
        return;
    }
    App().SetResult(kExitCancelled);
    App().OrderlyExit();
}

void KIVDialogSoftwareLicense::OnControlNotify(int kind, int id, int value, bool flag) {
    if (kind == KIVControl::kNotifyClicked && (id == kAccept || id == kDecline)) {
        if (flag)
            TakeChoice(id == kAccept);
        return;
    }
    KIVDialogConfirmCancel::OnControlNotify(kind, id, value, flag);
}
