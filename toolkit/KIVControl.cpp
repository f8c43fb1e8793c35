#include "toolkit/KIVControl.h"

#include "toolkit/KIVApplication.h"
#include "toolkit/KIVDialog.h"

#include <algorithm>

namespace {

constexpr LONG kStyleKindMask = 0x7;

LONG MergeStyle(LONG style, LONG defaultStyle) {
    const LONG kind = style & kStyleKindMask;
    if (kind == 1 || kind == 2 || kind == 4)
        return style;
    return style | defaultStyle;
}

void AppendLong(std::vector<BYTE>* out, LONG value) {
    const auto bits = static_cast<DWORD>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out->push_back(static_cast<BYTE>(bits >> shift));
}

void AppendText(std::vector<BYTE>* out, const KIVString& text) {
    const int length = text.GetLength();
    AppendLong(out, length + 2);
    for (int i = 0; i < length + 2; ++i) {
        const char16_t unit = i < length ? text.GetAt(i) : u'\0';
        out->push_back(static_cast<BYTE>(unit));
        out->push_back(static_cast<BYTE>(unit >> 8));
    }
}

} // namespace

KIVControl::KIVControl(KIVDialog* dialog, const KIVControlRecord& record, LONG defaultStyle)
    : KIVControl(dialog, record.id, RECT{record.left, record.top, record.right, record.bottom},
                 record.font, MergeStyle(record.style, defaultStyle), record.state) {
    text_ = record.text.c_str();
    tooltip_ = record.tooltip.c_str();
}

KIVControl::KIVControl(KIVDialog* dialog, LONG id, const RECT& rect, LONG fontId, LONG style,
                       LONG stateFlags)
    : rect_(rect), dialog_(dialog), visible_(!(stateFlags & kHidden)),
      enabled_(!(stateFlags & kDisabled)), id_(id), stateFlags_(stateFlags), fontId_(fontId),
      style_(style) {}

void KIVControl::Notify(int code, int value) {
    if (dialog_)
        dialog_->OnControlNotify(code, id_, value, true);
}

void KIVControl::NotifyEvent(int code, int value) {
    if (dialog_)
        dialog_->OnControlEvent(code, id_, value);
}

const KIVFont* KIVControl::GetFont() const {
    KIVApplication* app = KIVApplication::Get();
    return app ? app->GetFont(fontId_) : nullptr;
}

void KIVControl::SetStyle(LONG style) {
    if (style == style_)
        return;
    style_ = style;
    RequestDraw();
}

bool KIVControl::HitTest(POINT point) const {
    return visible_ && ::PtInRect(&rect_, point);
}

bool KIVControl::Intersects(const RECT& rect) const {
    RECT common;
    return ::IntersectRect(&common, &rect_, &rect) != FALSE;
}

BYTE KIVControl::GetDrawState() const {
    if (visible_)
        return drawState_;
    return drawState_ == kWaitsErase ? kWaitsErase : kUpToDate;
}

BYTE KIVControl::RequestDraw() {
    const BYTE previous = drawState_;
    if (!visible_)
        return previous;
    if (drawState_ != kNeverDrawn && drawState_ != kNeedsFullDraw)
        drawState_ = kNeedsDraw;
    InvalidateRect();
    return previous;
}

void KIVControl::RequestFullDraw() {
    if (!visible_)
        return;
    if (drawState_ != kNeverDrawn)
        drawState_ = kNeedsFullDraw;
    InvalidateRect();
}

void KIVControl::InvalidateRect() {
    if (dialog_)
        dialog_->Invalidate(rect_);
}

void KIVControl::SetText(const char16_t* text) {
    text_ = text;
}

int KIVControl::GetText(char16_t* buffer, int size) const {
    if (size <= 0)
        return 0;
    const int count = std::min(size - 1, text_.GetLength());
    std::copy_n(static_cast<const char16_t*>(text_), count, buffer);
    buffer[count] = u'\0';
    return count;
}

void KIVControl::Move(int x, int y, int width, int height, int flags) {
    if (!(flags & kNoErase) && visible_)
        InvalidateRect();
    if (!(flags & kKeepPlace))
        ::OffsetRect(&rect_, x - rect_.left, y - rect_.top);
    if (!(flags & kKeepSize)) {
        rect_.right = rect_.left + width;
        rect_.bottom = rect_.top + height;
    }
    RequestFullDraw();
}

void KIVControl::Save(std::vector<BYTE>* record) const {
    for (LONG value :
         {id_, rect_.left, rect_.top, rect_.right, rect_.bottom, stateFlags_, style_, fontId_})
        AppendLong(record, value);
    AppendText(record, text_);
    AppendText(record, tooltip_);
}

void KIVControl::Draw(const KIVDrawBuffer&) {
    drawState_ = kUpToDate;
}

void KIVControl::Erase(const KIVDrawBuffer& buffer) {
    if (dialog_)
        dialog_->DrawBackground(buffer, rect_);
    drawState_ = kUpToDate;
}
