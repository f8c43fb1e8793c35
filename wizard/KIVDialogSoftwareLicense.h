// KIVDialogSoftwareLicense: the licence page. It shows the agreement file of
// the current language (16-bit characters, most significant byte first,
// after a two-byte mark), or a default agreement from the language texts,
// and two choices. Next stays disabled until a choice is made; Next with
// the agreement declined ends the setup program. The choice is kept while
// the setup runs: coming back to the page shows it. The page opens with the
// agreement's text focused.
#pragma once

#include "wizard/KIVDialogConfirmCancel.h"

#include <vector>

class KIVDialogSoftwareLicense : public KIVDialogConfirmCancel {
public:
    static constexpr LONG kTemplate = 11;
    static constexpr LONG kHeading = 1500;
    static constexpr LONG kAccept = 1501;
    static constexpr LONG kDecline = 1502;
    static constexpr LONG kAgreement = 1600;
    static constexpr int kTextHeading = 101;
    // Agreement files beyond this many bytes are shown cut to it.
    static constexpr long kMaxAgreementBytes = 4 * 1024 * 1024;

    explicit KIVDialogSoftwareLicense(CWnd* parent);
    ~KIVDialogSoftwareLicense() override;

    void OnInitControls() override;
    void OnNext() override;
    bool TakeResponse(const SetupResponse& response, KIVString* refusal) override;
    void OnControlNotify(int kind, int id, int value, bool flag) override;
    LONG StartFocus() const override { return kAgreement; }

    bool Accepted() const { return accepted_; }

private:
    bool ReadAgreementFile();
    KIVString DefaultAgreement() const;
    // Checks the radio button of the choice, enables Next and keeps it.
    void TakeChoice(bool accepted);

    bool accepted_ = false;
    std::vector<char16_t> agreement_;
};

// The text of an agreement file's bytes: the first two (the mark) skipped,
// the rest read as 16-bit characters, most significant byte first; an odd
// last byte is dropped.
std::vector<char16_t> DecodeAgreement(const unsigned char* bytes, long size);
