#include "toolkit/controls/KIVPictureCtrl.h"

#include "toolkit/KIVDialog.h"
#include "toolkit/controls/KIVRecordFields.h"
#include "toolkit/drawing/KIVLook.h"
#include "toolkit/drawing/KIVPainter.h"

KIVPictureCtrl::KIVPictureCtrl(KIVDialog* dialog, const KIVControlRecord& record)
    : KIVControl(dialog, record), bitmapId_(KIVRecordFields::Long(record.classFields, 0, -1)) {}

KIVPictureCtrl::KIVPictureCtrl(KIVDialog* dialog, LONG id, const RECT& rect, LONG bitmapId)
    : KIVControl(dialog, id, rect, 0, 1, 0), bitmapId_(bitmapId) {}

void KIVPictureCtrl::SetPicture(const KIVBitmapFrame* picture) {
    picture_ = picture;
    RequestFullDraw();
}

bool KIVPictureCtrl::OnMouseDown(POINT point, UINT flags) {
    NotifyEvent(kEventPressed, 0);
    return KIVControl::OnMouseDown(point, flags);
}

void KIVPictureCtrl::Save(std::vector<BYTE>* record) const {
    KIVControl::Save(record);
    KIVRecordFields::AppendLong(record, bitmapId_);
}

void KIVPictureCtrl::Draw(const KIVDrawBuffer& buffer) {
    const RECT& rect = GetRect();
    if (GetDialog())
        GetDialog()->DrawBackground(buffer, rect);
    if (IsVisible() && !(GetStateFlags() & kNoPicture)) {
        KIVDrawBuffer clipped = buffer;
        ::IntersectRect(&clipped.clip, &buffer.clip, &rect);
        const float factor = IsEnabled() ? 1.0f : KIVLook::kDisabledFactor;
        if (picture_)
            KIVPainter::DrawFrame(clipped, *picture_, rect.left, rect.top, factor);
        else
            KIVPainter::DrawPicture(clipped, bitmapId_, 0, rect.left, rect.top, factor);
    }
    KIVControl::Draw(buffer);
}
