// KIVDialogConfirmCancel: the base of the wizard pages. Every page opens at
// the place the previous one was left (the first one where the full-screen
// title leaves room, or where its layout puts it), shows the side image,
// goes on with Next (the default button, which Enter presses), back with
// Back (disabled on the sequence's first page), and ends on Cancel, Escape
// or the close box only when the user confirms. Results: 14 Next, 13 Back,
// 2 Cancel (1 Finish from the completion page).
//
// In an unattended setup no person answers: before the page is first shown
// (a message posted as it opens) it takes the response (TakeResponse sets its controls as a person
// would) and goes forward as its Next button does, with the same checks. A page that is still open
// then could not take the response, and the setup fails.
#pragma once

#include "setup/KIVInstallApp.h"
#include "toolkit/KIVDialog.h"

class KIVDialogConfirmCancel : public KIVDialog {
public:
    static constexpr LONG kBackButton = 1100; // Finish on the completion page
    static constexpr LONG kNextButton = 1101;
    static constexpr LONG kCancelButton = 1102;
    static constexpr LONG kSideImage = 1200;
    static constexpr int kColumnGap = 12; // between the side image and the text
    static constexpr LONG kPushButtonType = 8;
    static constexpr int kTextCancelQuestion = 121;
    // The window style every page runs with.
    static constexpr DWORD kPageStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

    KIVDialogConfirmCancel(CWnd* parent, LONG templateId);
    ~KIVDialogConfirmCancel() override;

    void OnInitControls() override;
    void EndDialog(int result) override;
    // Goes forward only while the page's Next button can be pressed.
    void OnOK() override;
    void OnClose() override { OnCancel(); }
    void OnCancel() override;
    virtual void OnNext() { EndDialog(kNext); }
    virtual void OnBack() { EndDialog(kBack); }
    void OnControlNotify(int kind, int id, int value, bool flag) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // [SECTION] Unattended setup
    // Sets the page's controls from the response; false with *refusal when
    // the response asks for what the page does not offer.
    virtual bool TakeResponse(const SetupResponse& response, KIVString* refusal);
    // What the page's forward button does.
    virtual void GoForward() { OnNext(); }

    // Message boxes over this page, captioned with the application's name;
    // the answer (6 Yes, 7 No, 1 OK).
    int Message(int textId, DWORD style);
    int Message(int textId, const char16_t* first, const char16_t* second, DWORD style);
    int Message(const char16_t* text, DWORD style);

protected:
    KIVInstallApp& App() const { return *app_; }
    // The text of a control, at most 259 characters.
    KIVString ControlText(LONG id) const;
    void SetControlText(LONG id, const char16_t* text);
    void ShowControl(LONG id, bool show);
    void EnableControl(LONG id, bool enable);

private:
    void PlacePage();
    void LayOutWithoutSideImage(KIVControl& picture);
    void ReplayResponse();

    static constexpr UINT kReplayMessage = WM_APP + 1;

    KIVInstallApp* app_ = nullptr;
};
