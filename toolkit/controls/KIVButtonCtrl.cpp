#include "toolkit/controls/KIVButtonCtrl.h"

#include "toolkit/KIVDialog.h"
#include "toolkit/drawing/KIVLook.h"
#include "toolkit/drawing/KIVPainter.h"
#include "toolkit/drawing/KIVPrefixText.h"

#include <algorithm>

namespace {

// lParam bit 30 of a key message (its flags' bit 14): the key was already
// down, so this is the keyboard's repeat.
constexpr UINT kRepeatFlag = 0x4000;

} // namespace

KIVButtonCtrl::KIVButtonCtrl(KIVDialog* dialog, const KIVControlRecord& record, LONG defaultStyle)
    : KIVControl(dialog, record, defaultStyle), toggle_((record.state & kToggle) != 0) {}

KIVButtonCtrl::KIVButtonCtrl(KIVDialog* dialog, LONG id, const RECT& rect, LONG fontId, LONG style,
                             LONG stateFlags)
    : KIVControl(dialog, id, rect, fontId, style, stateFlags),
      toggle_((stateFlags & kToggle) != 0) {}

bool KIVButtonCtrl::IsChecked() const {
    return toggle_ ? checked_ != 0 : pressed_;
}

void KIVButtonCtrl::SetChecked(int value) {
    if (value == checked_)
        return;
    checked_ = value;
    RequestDraw();
}

void KIVButtonCtrl::Click() {
    checked_ = checked_ == 0 ? 1 : 0;
    Notify(kNotifyClicked, 0);
}

char16_t KIVButtonCtrl::GetMnemonic() const {
    return KIVPrefixText::MnemonicOf(GetText());
}

bool KIVButtonCtrl::OnMnemonic() {
    Click();
    if (CanTakeFocus())
        SetFocus();
    return true;
}

bool KIVButtonCtrl::OnMouseDown(POINT point, UINT) {
    if (!IsEnabled() || !HitTest(point))
        return true;
    pressed_ = true;
    SetHovered(true);
    RequestDraw();
    if (CanTakeFocus())
        SetFocus();
    return false;
}

bool KIVButtonCtrl::OnMouseUp(POINT point, UINT) {
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (!wasPressed)
        return true;
    if (HitTest(point))
        Click();
    RequestDraw();
    return false;
}

bool KIVButtonCtrl::OnMouseMove(POINT point, UINT) {
    if (SetHovered(HitTest(point)))
        RequestDraw();
    return false;
}

void KIVButtonCtrl::OnMouseLeave() {
    if (!IsHovered() && !pressed_)
        return;
    SetHovered(false);
    pressed_ = false;
    RequestDraw();
}

// The first space-bar press sinks the button; the keyboard's repeats while
// it is held change nothing.
bool KIVButtonCtrl::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    if (key != VK_SPACE)
        return true;
    if (repeat == 1 && !(flags & kRepeatFlag) && !pressed_ && IsEnabled()) {
        pressed_ = true;
        SetHovered(true);
        RequestDraw();
    }
    return false;
}

bool KIVButtonCtrl::OnKeyUp(UINT key, UINT, UINT) {
    if (key != VK_SPACE || !pressed_)
        return true;
    Click();
    pressed_ = false;
    SetHovered(false);
    RequestDraw();
    return false;
}

int KIVButtonCtrl::VisualStateNow() const {
    if (toggle_ && checked_ != 0)
        return kCheckedToggle;
    if (pressed_ && IsHovered())
        return kPressedState;
    return IsHovered() ? kHovered : kNormal;
}

void KIVButtonCtrl::Draw(const KIVDrawBuffer& buffer) {
    DrawButton(buffer, VisualStateNow());
    KIVControl::Draw(buffer);
}

bool KIVButtonCtrl::ClearArea(const KIVDrawBuffer& buffer, KIVDrawBuffer* clipped) const {
    *clipped = buffer;
    if (!::IntersectRect(&clipped->clip, &buffer.clip, &GetRect()))
        return false;
    if (GetDialog())
        GetDialog()->DrawBackground(*clipped, GetRect());
    return true;
}

float KIVButtonCtrl::PictureFactor() const {
    return IsEnabled() ? 1.0f : KIVLook::kDisabledFactor;
}

int KIVButtonCtrl::TextTransparency() const {
    return static_cast<int>(255.0f * PictureFactor());
}

void KIVButtonCtrl::DrawSideText(const KIVDrawBuffer& buffer, int pictureWidth) const {
    const KIVFont* font = GetFont();
    if (!font)
        return;
    const RECT& rect = GetRect();
    const int x = rect.left + pictureWidth + kSideTextGap;
    const int y = rect.top + (rect.bottom - rect.top - font->LineHeight()) / 2;
    const int end = KIVPrefixText::Draw(buffer, *font, GetText(), x, y, rect.right - x,
                                        KIVLook::kInk, GetStyle(), TextTransparency());
    if (!HasFocus())
        return;
    const int start = std::max(x, end - KIVPrefixText::Measure(*font, GetText()));
    // Held inside the control, so that none of the frame is cut away.
    const RECT around{start - 2, y - 1, end + 2, y + font->LineHeight() + 1};
    RECT frame{};
    ::IntersectRect(&frame, &around, &rect);
    KIVPainter::FrameRect(buffer, frame, KIVLook::kAccent);
}
