#include "toolkit/KIVControlFactory.h"

#include "toolkit/controls/KIVCheckBoxCtrl.h"
#include "toolkit/controls/KIVFrameCtrl.h"
#include "toolkit/controls/KIVGroupCtrl.h"
#include "toolkit/controls/KIVLabelCtrl.h"
#include "toolkit/controls/KIVPictureCtrl.h"
#include "toolkit/controls/KIVRadioButtonCtrl.h"
#include "toolkit/controls/KIVSeparatorCtrl.h"
#include "toolkit/controls/KIVTextButtonCtrl.h"

namespace {

enum ControlType : LONG {
    kPlainControl = 1,
    kLabel = 2,
    kFrame = 3,
    kBumpFrame = 4,
    kVSeparator = 5,
    kHSeparator = 6,
    kPicture = 7,
    kTextButton = 8,
    kCheckBox = 15,
    kRadioButton = 17,
    kGroup = 28,
};

} // namespace

std::unique_ptr<KIVControl> KIVCreateControl(KIVDialog* dialog, const KIVControlRecord& record) {
    switch (record.type) {
    case kPlainControl:
        return std::make_unique<KIVControl>(dialog, record);
    case kLabel:
        return std::make_unique<KIVLabelCtrl>(dialog, record);
    case kFrame:
        return std::make_unique<KIVFrameCtrl>(dialog, record);
    case kBumpFrame:
        return std::make_unique<KIVBumpFrameCtrl>(dialog, record);
    case kVSeparator:
        return std::make_unique<KIVVSeparatorCtrl>(dialog, record);
    case kHSeparator:
        return std::make_unique<KIVHSeparatorCtrl>(dialog, record);
    case kPicture:
        return std::make_unique<KIVPictureCtrl>(dialog, record);
    case kTextButton:
        return std::make_unique<KIVTextButtonCtrl>(dialog, record);
    case kCheckBox:
        return std::make_unique<KIVCheckBoxCtrl>(dialog, record);
    case kRadioButton:
        return std::make_unique<KIVRadioButtonCtrl>(dialog, record);
    case kGroup:
        return std::make_unique<KIVGroupCtrl>(dialog, record);
    default:
        return nullptr;
    }
}
