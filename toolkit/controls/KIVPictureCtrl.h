// KIVPictureCtrl: a picture at the rectangle's top-left corner, clipped to
// the rectangle: the one handed in by the owner, or else frame 0 of the
// bitmap of its identifier (its one record field). State flag 0x400000
// keeps the picture from being drawn. A press is told to the dialog through
// the second notification entry (kind 1).
#pragma once

#include "toolkit/KIVControl.h"
#include "toolkit/resources/KIVBitmapFile.h"

class KIVPictureCtrl : public KIVControl {
public:
    static constexpr LONG kNoPicture = 0x400000;
    static constexpr int kEventPressed = 1;

    KIVPictureCtrl(KIVDialog* dialog, const KIVControlRecord& record);
    KIVPictureCtrl(KIVDialog* dialog, LONG id, const RECT& rect, LONG bitmapId);

    LONG GetBitmapId() const { return bitmapId_; }
    // Shows picture (not owned; null: the bitmap again) and draws again.
    void SetPicture(const KIVBitmapFrame* picture);

    bool OnMouseDown(POINT point, UINT flags) override;
    void Save(std::vector<BYTE>* record) const override;
    LONG TypeCode() const override { return 7; }
    void Draw(const KIVDrawBuffer& buffer) override;

private:
    LONG bitmapId_ = -1;
    const KIVBitmapFrame* picture_ = nullptr;
};
