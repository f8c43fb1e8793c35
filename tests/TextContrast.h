// The contrast of drawn text, measured on a dialog's pixels by the relative
// luminance formula of the common accessibility guidelines: a region's
// background is its most frequent colour, its ink the colour drawn at least
// three times that stands out most against it. ExpectReadableText checks
// every shown, enabled control that carries text.
#pragma once

#include "toolkit/KIVDialog.h"
#include "toolkit/controls/KIVCheckBoxCtrl.h"
#include "toolkit/controls/KIVEditCtrl.h"
#include "toolkit/controls/KIVLabelCtrl.h"
#include "toolkit/controls/KIVListBoxCtrl.h"
#include "toolkit/controls/KIVMultiLineEditCtrl.h"
#include "toolkit/controls/KIVRadioButtonCtrl.h"
#include "toolkit/controls/KIVTextButtonCtrl.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

namespace text_contrast {

inline constexpr double kReadable = 4.5;

inline double Luminance(DWORD rgb) {
    auto channel = [rgb](int shift) {
        const double c = ((rgb >> shift) & 0xFF) / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(16) + 0.7152 * channel(8) + 0.0722 * channel(0);
}

inline double Contrast(DWORD a, DWORD b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct Ink {
    DWORD background = 0;
    DWORD ink = 0;
    int inkPixels = 0; // pixels of the ink's colour; 0 when nothing stands out
    double Ratio() const { return inkPixels ? Contrast(ink, background) : 0.0; }
};

inline Ink MeasureInk(const KIVDialog& dialog, const RECT& area) {
    std::map<DWORD, int> counts;
    for (LONG y = area.top; y < area.bottom; ++y)
        for (LONG x = area.left; x < area.right; ++x)
            ++counts[dialog.PixelAt(x, y) & 0xFFFFFF];
    Ink result;
    int most = 0;
    for (const auto& [colour, count] : counts)
        if (count > most)
            most = count, result.background = colour;
    double best = 1.0;
    for (const auto& [colour, count] : counts)
        if (count >= 3 && colour != result.background &&
            Contrast(colour, result.background) > best) {
            best = Contrast(colour, result.background);
            result.ink = colour;
            result.inkPixels = count;
        }
    return result;
}

inline RECT Inset(RECT rect, int left, int top, int right, int bottom) {
    return RECT{rect.left + left, rect.top + top, rect.right - right, rect.bottom - bottom};
}

inline void ExpectReadable(const KIVDialog& dialog, const RECT& area, const std::string& what) {
    const Ink ink = MeasureInk(dialog, area);
    EXPECT_GE(ink.Ratio(), kReadable)
        << what << ": ink " << std::hex << ink.ink << " on " << ink.background;
}

// Where a control's text goes: right of a check box's or radio button's
// picture, inside a button's bevel, a field's border or a label's edge.
inline RECT TextArea(const KIVControl& control) {
    const RECT& rect = control.GetRect();
    if (dynamic_cast<const KIVCheckBoxCtrl*>(&control) ||
        (dynamic_cast<const KIVRadioButtonCtrl*>(&control) &&
         !(control.GetStateFlags() & KIVRadioButtonCtrl::kPushLike)))
        return Inset(rect, 15, 0, 0, 0);
    if (dynamic_cast<const KIVTextButtonCtrl*>(&control)) {
        const int bevel = KIVTextButtonCtrl::kBevel;
        return Inset(rect, bevel, bevel, bevel, bevel);
    }
    if (dynamic_cast<const KIVMultiLineEditCtrl*>(&control))
        return Inset(rect, 3, 3, 20, 3);
    return Inset(rect, 2, 2, 2, 2);
}

// The text area of each kind of control: inside a button's bevel, right of
// a check box's or radio button's picture, inside a field's border, and for
// a list each shown line right of its check box. The number of texts checked.
inline int ExpectReadableText(const KIVDialog& dialog, const std::string& where) {
    int checked = 0;
    for (int i = 0; i < dialog.ControlCount(); ++i) {
        const KIVControl& control = *dialog.ControlAt(i);
        if (!control.IsVisible() || !control.IsEnabled())
            continue;
        const RECT& rect = control.GetRect();
        const std::string what = where + " control " + std::to_string(control.GetId());
        const bool hasText = control.GetText() && *static_cast<const char16_t*>(control.GetText());
        if (auto* list = dynamic_cast<const KIVListBoxCtrl*>(&control)) {
            for (int line = 0; line < list->GetLineCount(); ++line) {
                RECT box = list->LineRect(line);
                if (box.bottom > rect.bottom - KIVListBoxCtrl::kBorder)
                    break;
                if (list->GetLine(line)->HasCheckBox())
                    box.left = KIVListBoxLine::CheckBoxArea(box).right + 2;
                ExpectReadable(dialog, box, what + " line " + std::to_string(line));
                ++checked;
            }
        } else if (!hasText) {
            continue;
        } else {
            ++checked;
            ExpectReadable(dialog, TextArea(control), what);
        }
    }
    return checked;
}
} // namespace text_contrast
