// KIVPrefixText: a caption with an "&" mnemonic, as push buttons, radio
// buttons, check boxes and labels show it. "&x" shows x underlined and makes
// x the caption's mnemonic (the first such mark counts); "&&" shows one "&";
// a lone "&" at the end shows nothing. Measuring and drawing go through the
// shown text, so that a caption is as wide as what a person sees.
#pragma once

#include "toolkit/resources/KIVDrawBuffer.h"
#include "toolkit/resources/KIVFont.h"

#include <string>

class KIVPrefixText {
public:
    explicit KIVPrefixText(const char16_t* text);

    const std::u16string& Shown() const { return shown_; }
    // The index in Shown() of the mnemonic's character, -1 when none.
    int MnemonicIndex() const { return mnemonic_; }
    // The mnemonic in upper case (a to z folded), 0 when none.
    char16_t Mnemonic() const;

    static char16_t MnemonicOf(const char16_t* text) { return KIVPrefixText(text).Mnemonic(); }
    // The text as shown, for places that show a caption as plain text.
    static std::u16string Strip(const char16_t* text) { return KIVPrefixText(text).Shown(); }
    // A letter folded as mnemonics compare (a to z in upper case).
    static char16_t Fold(char16_t ch);
    static int Measure(const KIVFont& font, const char16_t* text);
    // Draws the shown text as KIVTextPainter::DrawText does (same options)
    // and a one-pixel line under the mnemonic's character, one pixel below
    // the font's baseline. Returns the x after the last character drawn.
    static int Draw(const KIVDrawBuffer& buffer, const KIVFont& font, const char16_t* text, int x,
                    int y, int width, DWORD colour, int options, int transparency = 255);
    // The row under the baseline, relative to the line's top: one below the
    // lowest inked row of "H", within the line.
    static int UnderlineRow(const KIVFont& font);

private:
    std::u16string shown_;
    int mnemonic_ = -1;
};
