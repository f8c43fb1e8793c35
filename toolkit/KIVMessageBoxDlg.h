// KIVMessageBoxDlg: the toolkit's message box, a dialog without a stored
// layout that sizes itself to its text (font 0), shows an optional icon
// (bitmaps 86 to 89 by the flags' high 16 bits), the text and a row of
// buttons whose captions are texts 0 to 12 of the string file, and answers
// with the platform's result codes (IDOK 1 ... IDNO 7, 9 help, 10 and 11 the
// second affirmative and negative).
//
// Flags: the low 16 bits choose the button set (KIVMessageBoxSets.cpp), the
// high 16 bits the icon: 0x10000 error (89), 0x20000 question (88), 0x40000
// warning (86), 0x80000 information (87).
//
// Keys answer as in every dialog: a button's mnemonic in the captions of the
// current language (Alt and the letter, or the bare letter, the box having
// no field), Space the focused button, Enter the focused button else the
// default one.
//
// [SECTION] Life and answers   KIVMessageBoxDlg.cpp
// [SECTION] Size and controls  KIVMessageBoxDlgLayout.cpp
// [SECTION] Button sets        KIVMessageBoxSets.cpp
#pragma once

#include "toolkit/KIVDialog.h"

class KIVMessageBoxDlg : public KIVDialog {
public:
    static constexpr LONG kIconId = 100;
    static constexpr LONG kTextId = 101;
    static constexpr LONG kFirstButton = 102;
    static constexpr LONG kOKButton = 102;
    static constexpr LONG kCancelButton = 103;
    static constexpr LONG kHelpButton = 110;
    static constexpr LONG kLastButton = 112;

    // One button of the box: its control identifier and its caption's text.
    struct Button {
        LONG id;
        int caption;
    };
    // The buttons of a set from left to right and its default; any unknown
    // set is a single OK button.
    struct ButtonSet {
        int value;
        std::vector<LONG> buttons;
        LONG defaultButton;
        int minimumWidth;
    };
    static const ButtonSet& FindSet(int value);
    // Every set the box knows, the single OK button's first.
    static std::vector<const ButtonSet*> AllSets();
    static int CaptionOf(LONG button);
    // The icon bitmap of the flags' high 16 bits, -1 for none.
    static int IconOf(DWORD flags);

    // result: where the answer goes (null: the box keeps it for Run alone).
    KIVMessageBoxDlg(CWnd* owner, const char16_t* text, const char16_t* caption, DWORD flags,
                     int* result, int helpTopic);

    // Runs the box modally as a pop-up window; the result stored.
    int Run();

    void OnInitControls() override;
    void OnOK() override;
    // Escape and the close box: Cancel's answer when the box has a Cancel
    // button, else OK's when it has an OK button; a box with neither stays
    // open, its question being answered only by its buttons.
    void OnCancel() override;
    void OnClose() override;
    void OnControlNotify(int kind, int id, int value, bool flag) override;

private:
    int SetValue() const { return static_cast<int>(flags_ & 0xFFFF); }
    // buttonWidth: the width of each button, 60 unless a caption needs more.
    SIZE BoxSize(const KIVFont& font, int iconWidth, int buttonWidth) const;
    void AddControls(SIZE box, SIZE icon, const std::vector<KIVString>& captions, int buttonWidth);
    bool HasButton(LONG id) const;

    KIVString text_;
    KIVString caption_;
    DWORD flags_ = 0;
    int ownResult_ = 0;
    int* result_ = nullptr;
    int iconId_ = -1;
    int helpTopic_ = 0;
};
