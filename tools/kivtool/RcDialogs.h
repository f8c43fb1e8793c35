// Dialog layouts for kivtool rc, a small declarative text:
//
//   dialog 10
//     window 0 0 400 300          x y width height
//     margins -1 -1               left top (-1: the dialog's default)
//     flags 0x2001
//     title "@100"                a text, or @ID for the language's text ID
//     control Label 1000 12 12 300 30 state=0 style=1 font=0 text="@101" tooltip="" fields=7,8
//   end
//
// A control line: class (name or type number), identifier, left, top,
// right, bottom, then optional key=value fields; fields= lists the class's
// own values: 32-bit numbers, "1.5f" 32-bit floats, "255b" single bytes. Texts are quoted, with the
// escapes \" \\ \n \r \t; "@@" starts a text with a literal "@". A Label's
// for=ID names the control it stands beside (a check box or radio button
// whose text it shows): a click on the label or its mnemonic acts on that
// control. It is stored after the label's own fields (factor and colour,
// written with their defaults when fields= gives none).
#pragma once

#include "tools/kivtool/RcTexts.h"

#include <map>

struct RcControl {
    std::int32_t type = 0;
    std::int32_t values[8] = {}; // id, left, top, right, bottom, state, style, font
    std::string text;
    std::string tooltip;
    std::vector<std::uint8_t> fields; // the class's own bytes, little-endian
    std::int32_t target = 0;          // a Label's for=, 0 when none
    int line = 0;
};

struct RcDialog {
    std::int32_t window[4] = {};
    std::int32_t margins[2] = {-1, -1};
    std::int32_t flags = 0;
    std::string title;
    std::vector<RcControl> controls;
    std::string file;
    int line = 0;
};

using RcDialogs = std::map<std::int32_t, RcDialog>;

// Reads a dialog file; a missing file gives no dialogs unless required.
bool ReadDialogs(const std::string& path, bool required, RcDialogs* dialogs, RcError* error);
// The layout record of a dialog, its texts taken from the language's texts.
bool EncodeDialog(const RcDialog& dialog, const RcTexts& texts, std::vector<std::uint8_t>* record,
                  RcError* error);
// A layout text: "@ID" is the language's text ID, "@@..." a literal "@...".
// False with the problem when the text is missing.
bool ResolveLayoutText(const std::string& source, const RcTexts& texts, std::u16string* text,
                       std::string* problem);
// The type number of a control class name ("Label"), or of a number; -1
// when neither.
std::int32_t ControlType(const std::string& name);
// The class name of a type number; empty when it has none.
std::string ControlClassName(std::int32_t type);
