// The message box's button sets, captions and icons.
#include "toolkit/KIVMessageBoxDlg.h"

namespace {

enum ButtonId : LONG {
    kOK = 102,
    kCancel = 103,
    kAbort = 104,
    kRetry = 105,
    kIgnore = 106,
    kYes = 107,
    kNo = 108,
    kHelp = 110,
    kYesToAll = 111,
    kNoToAll = 112
};

const KIVMessageBoxDlg::Button kButtons[] = {
    {kOK, 0},  {kCancel, 1}, {kAbort, 6}, {kRetry, 7},     {kIgnore, 8},
    {kYes, 9}, {kNo, 11},    {kHelp, 2},  {kYesToAll, 10}, {kNoToAll, 12},
};

// The row's minimum width: wide enough for its buttons at 72 pixels apart.
const KIVMessageBoxDlg::ButtonSet kSets[] = {
    {3, {kOK, kCancel}, kOK, 220},
    {12, {kYes, kNo}, kYes, 220},
    {14, {kYes, kNo, kCancel}, kYes, 220},
    {1034, {kYes, kNo, kCancel}, kYes, 220},
    {22, {kYes, kYesToAll, kCancel}, kYes, 220},
    {28, {kYes, kYesToAll, kNo}, kYes, 220},
    {30, {kYes, kYesToAll, kNo, kCancel}, kYes, 292},
    {42, {kNo, kNoToAll, kCancel}, kNo, 220},
    {60, {kYes, kYesToAll, kNo, kNoToAll}, kYes, 292},
    {62, {kYes, kYesToAll, kNo, kNoToAll, kCancel}, kYes, 364},
    {130, {kRetry, kCancel}, kRetry, 220},
    {194, {kAbort, kRetry, kIgnore}, kRetry, 220},
    {513, {kOK, kHelp}, kOK, 220},
    {515, {kOK, kCancel, kHelp}, kOK, 220},
};

const KIVMessageBoxDlg::ButtonSet kOKOnly{1, {kOK}, kOK, 220};

} // namespace

const KIVMessageBoxDlg::ButtonSet& KIVMessageBoxDlg::FindSet(int value) {
    for (const ButtonSet& set : kSets)
        if (set.value == value)
            return set;
    return kOKOnly;
}

std::vector<const KIVMessageBoxDlg::ButtonSet*> KIVMessageBoxDlg::AllSets() {
    std::vector<const ButtonSet*> sets{&kOKOnly};
    for (const ButtonSet& set : kSets)
        sets.push_back(&set);
    return sets;
}

int KIVMessageBoxDlg::CaptionOf(LONG button) {
    for (const Button& known : kButtons)
        if (known.id == button)
            return known.caption;
    return -1;
}

int KIVMessageBoxDlg::IconOf(DWORD flags) {
    switch (flags & 0xFFFF0000) {
    case 0x10000:
        return 89;
    case 0x20000:
        return 88;
    case 0x40000:
        return 86;
    case 0x80000:
        return 87;
    default:
        return -1;
    }
}
