// RcCaptions: kivtool rc's checks of the captions a language shows in its
// controls, drawn in the fonts the language gives:
//   - no two controls of one dialog share a mnemonic (the letter after "&",
//     KIVPrefixText): push buttons, radio buttons, check boxes and one-line
//     labels without KIVLabelCtrl::kNoPrefix; each button set of the message
//     box and the folder browser's buttons, whose captions are texts, are
//     checked as dialogs too;
//   - a push button's caption fits between its bevel and padding
//     (KIVTextButtonCtrl::kCaptionMargin on each side), and a radio
//     button's or check box's caption beside its picture;
//   - a label's for= names a control of its dialog.
// Errors name the dialog, the controls, the language and the widths.
#pragma once

#include "tools/kivtool/RcDialogs.h"

struct RcCaptionSources {
    std::string language;                                // its name, for the errors
    std::string textsFile;                               // where the errors about texts point
    const std::vector<std::uint8_t>* fonts = nullptr;    // the font file (".erf")
    const std::vector<std::uint8_t>* pictures = nullptr; // the bitmap file (".erb")
    bool japanese = false;                               // the fonts have the double-byte extension
};

bool CheckCaptions(const RcDialogs& dialogs, const RcTexts& texts, const RcCaptionSources& sources,
                   RcError* error);
