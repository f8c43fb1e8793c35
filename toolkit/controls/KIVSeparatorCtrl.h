// KIVHSeparatorCtrl and KIVVSeparatorCtrl: an etched line across the middle
// of the rectangle, horizontal or vertical.
#pragma once

#include "toolkit/KIVControl.h"

class KIVHSeparatorCtrl : public KIVControl {
public:
    using KIVControl::KIVControl;
    void Draw(const KIVDrawBuffer& buffer) override;
    LONG TypeCode() const override { return 6; }
};

class KIVVSeparatorCtrl : public KIVControl {
public:
    using KIVControl::KIVControl;
    void Draw(const KIVDrawBuffer& buffer) override;
    LONG TypeCode() const override { return 5; }
};
