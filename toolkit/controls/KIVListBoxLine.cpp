#include "toolkit/controls/KIVListBoxLine.h"

#include "toolkit/controls/KIVListBoxCtrl.h"
#include "toolkit/drawing/KIVLook.h"
#include "toolkit/drawing/KIVPainter.h"
#include "toolkit/resources/KIVTextPainter.h"

namespace {

constexpr int kBoxInset = 2; // the box's distance from the line's left edge
constexpr int kTextInset = 4;

SIZE FrameSize() {
    SIZE size{};
    KIVPainter::PictureSize(KIVListBoxLine::kFramePicture, &size);
    return size;
}

} // namespace

KIVListBoxLine::KIVListBoxLine(KIVListBoxCtrl* owner, const char16_t* text, bool hasCheckBox)
    : text_(text), owner_(owner), hasCheckBox_(hasCheckBox),
      height_(owner ? owner->GetLineHeight() : 0) {}

void KIVListBoxLine::Draw(const KIVDrawBuffer& buffer, const RECT& rect,
                          const KIVListLineLook& look) {
    KIVPainter::FillRect(buffer, RECT{rect.left, rect.top, rect.right + 3, rect.bottom},
                         look.background);
    int textLeft = rect.left + kTextInset;
    if (hasCheckBox_)
        textLeft = DrawCheckBox(buffer, rect, look);
    DrawLineText(buffer, text_, textLeft, rect.right + 2, rect, look.text);
}

int KIVListBoxLine::Width() const {
    const KIVFont* font = owner_ ? owner_->GetListFont() : nullptr;
    return font ? KIVTextPainter::MeasureText(*font, text_, -1) : 0;
}

RECT KIVListBoxLine::CheckBoxArea(const RECT& rect) {
    const SIZE frame = FrameSize();
    const int top = rect.top + (rect.bottom - rect.top - frame.cy) / 2;
    return RECT{rect.left + kBoxInset, top, rect.left + kBoxInset + frame.cx, top + frame.cy};
}

bool KIVListBoxLine::HitsCheckBox(int x) const {
    if (!hasCheckBox_ || !owner_)
        return false;
    const int left = owner_->LineLeft() + kBoxInset;
    return x >= left && x < left + FrameSize().cx;
}

// The frame, then the face 2 pixels in (hovered only while the line is
// highlighted), then the mark 1 pixel up and left of the face: under the
// mouse it is highlighted, drawn in the highlighted line's text colour.
int KIVListBoxLine::DrawCheckBox(const KIVDrawBuffer& buffer, const RECT& rect,
                                 const KIVListLineLook& look) {
    const float factor = look.disabled ? KIVLook::kDisabledFactor : 1.0f;
    RECT area = CheckBoxArea(rect);
    KIVPainter::DrawPicture(buffer, kFramePicture, 0, area.left, area.top, factor);
    ::OffsetRect(&area, 2, 2);
    if (!look.highlighted)
        hover_ = false;
    KIVPainter::DrawPicture(buffer, kFacePicture, hover_ ? 1 : 0, area.left, area.top, factor);
    if (checked_) {
        ::OffsetRect(&area, -1, -1);
        if (hover_)
            KIVPainter::DrawPictureIn(buffer, kMarkPicture, 0, area.left, area.top, look.text,
                                      factor);
        else
            KIVPainter::DrawPicture(buffer, kMarkPicture, 0, area.left, area.top, factor);
    }
    return area.right + 2;
}

void KIVListBoxLine::DrawLineText(const KIVDrawBuffer& buffer, const char16_t* text, int x,
                                  int right, const RECT& rect, DWORD colour) const {
    const KIVFont* font = owner_ ? owner_->GetListFont() : nullptr;
    if (!font || right <= x)
        return;
    KIVDrawBuffer clipped = buffer;
    const RECT box{x, rect.top, right, rect.bottom};
    if (!::IntersectRect(&clipped.clip, &buffer.clip, &box))
        return;
    const int top = rect.top + (rect.bottom - rect.top - font->LineHeight()) / 2;
    KIVTextPainter::DrawText(clipped, *font, text, -1, x, top, right - x, colour, 0);
}

void KIVListBoxLine::OnClick(int x) {
    if (!hasCheckBox_)
        return;
    toggled_ = false;
    if (HitsCheckBox(x))
        Toggle();
}

void KIVListBoxLine::Toggle() {
    checked_ = !checked_;
    toggled_ = true;
    if (owner_)
        owner_->RedrawAllLines();
    NotifyOwner();
}

void KIVListBoxLine::OnMouseMove(int x) {
    if (!hasCheckBox_)
        return;
    const bool over = HitsCheckBox(x);
    if (over == hover_)
        return;
    hover_ = over;
    if (owner_)
        owner_->RedrawAllLines();
}

void KIVListBoxLine::SetChecked(bool checked) {
    checked_ = checked;
    if (owner_)
        owner_->RedrawAllLines();
}

void KIVListBoxLine::NotifyOwner() {
    if (owner_)
        owner_->Notify(KIVControl::kNotifyClicked, 0);
}
