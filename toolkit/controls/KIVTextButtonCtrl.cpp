#include "toolkit/controls/KIVTextButtonCtrl.h"

#include "toolkit/KIVDialog.h"
#include "toolkit/drawing/KIVLook.h"
#include "toolkit/drawing/KIVPainter.h"
#include "toolkit/drawing/KIVPrefixText.h"
#include "toolkit/resources/KIVTextPainter.h"

KIVTextButtonCtrl::KIVTextButtonCtrl(KIVDialog* dialog, const KIVControlRecord& record)
    : KIVButtonCtrl(dialog, record) {}

KIVTextButtonCtrl::KIVTextButtonCtrl(KIVDialog* dialog, LONG id, const RECT& rect, LONG fontId,
                                     LONG stateFlags)
    : KIVButtonCtrl(dialog, id, rect, fontId, 1, stateFlags) {}

void KIVTextButtonCtrl::SetText(const char16_t* text) {
    KIVControl::SetText(text);
    RequestDraw();
}

void KIVTextButtonCtrl::SetDefault(bool isDefault) {
    if (isDefault == default_)
        return;
    default_ = isDefault;
    RequestDraw();
}

// The push button with the focus stands for Enter, and so looks like the
// default; the default button itself only while no push button has it.
bool KIVTextButtonCtrl::DrawnAsDefault() const {
    if (!IsEnabled() || IsToggle())
        return false;
    if (HasFocus())
        return true;
    return default_ && !(GetDialog() && GetDialog()->FocusedPushButton());
}

// A push button is pressed where it is; the focus stays where it was.
bool KIVTextButtonCtrl::OnMnemonic() {
    Click();
    return true;
}

void KIVTextButtonCtrl::DrawButton(const KIVDrawBuffer& buffer, int visualState) {
    const RECT& rect = GetRect();
    KIVDrawBuffer clipped;
    if (!ClearArea(buffer, &clipped))
        return;
    KIVPainter::DrawSlicedPicture(clipped, kFaceBitmap, visualState, rect, kFaceCorner,
                                  PictureFactor());
    if (DrawnAsDefault()) {
        KIVPainter::FrameRect(clipped, rect, KIVLook::kInk);
        const RECT inner{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
        KIVPainter::FrameRect(clipped, inner, KIVLook::kAccent);
    }
    DrawCentredText(clipped, visualState);
    if (HasFocus())
        KIVPainter::FocusRect(clipped, rect);
}

void KIVTextButtonCtrl::DrawCentredText(const KIVDrawBuffer& buffer, int visualState) const {
    const KIVFont* font = GetFont();
    if (!font)
        return;
    const RECT& rect = GetRect();
    const RECT face{rect.left + kBevel, rect.top + kBevel, rect.right - kBevel,
                    rect.bottom - kBevel};
    KIVDrawBuffer inside = buffer;
    ::IntersectRect(&inside.clip, &buffer.clip, &face);
    const int sunk = visualState == kPressedState ? 1 : 0;
    const int y = rect.top + (rect.bottom - rect.top - font->LineHeight()) / 2 + sunk;
    KIVPrefixText::Draw(inside, *font, GetText(), face.left + sunk, y, face.right - face.left,
                        KIVLook::kInk, KIVTextPainter::kCentre, TextTransparency());
}
