// KIVFrameCtrl: an etched rectangle around other controls, sunken, with an
// optional title (the control's text) set into its top edge. It draws only
// its edges and title, never over what it surrounds.
#pragma once

#include "toolkit/KIVControl.h"

class KIVFrameCtrl : public KIVControl {
public:
    static constexpr int kTitleIndent = 8;

    KIVFrameCtrl(KIVDialog* dialog, const KIVControlRecord& record);

    void SetText(const char16_t* text) override;
    void Draw(const KIVDrawBuffer& buffer) override;
    LONG TypeCode() const override { return 3; }

protected:
    // Light over shadow for a sunken etch, shadow over light for a raised one.
    virtual bool IsRaised() const { return false; }

private:
    void DrawTitle(const KIVDrawBuffer& buffer, const KIVFont& font) const;
};

// KIVBumpFrameCtrl: the raised variant of the etched frame.
class KIVBumpFrameCtrl : public KIVFrameCtrl {
public:
    using KIVFrameCtrl::KIVFrameCtrl;
    LONG TypeCode() const override { return 4; }

protected:
    bool IsRaised() const override { return true; }
};
