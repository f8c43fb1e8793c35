#include "toolkit/KIVControlFactory.h"

#include "toolkit/controls/KIVCheckBoxCtrl.h"
#include "toolkit/controls/KIVLabelCtrl.h"
#include "toolkit/controls/KIVPictureCtrl.h"
#include "toolkit/controls/KIVRadioButtonCtrl.h"
#include "toolkit/controls/KIVTextButtonCtrl.h"

namespace {

enum ControlType : LONG {
    kPlainControl = 1,
    kLabel = 2,
    kPicture = 7,
    kTextButton = 8,
    kCheckBox = 15,
    kRadioButton = 17,
};

} // namespace

std::unique_ptr<KIVControl> KIVCreateControl(KIVDialog* dialog, const KIVControlRecord& record) {
    switch (record.type) {
    case kPlainControl:
        return std::make_unique<KIVControl>(dialog, record);
    case kLabel:
        return std::make_unique<KIVLabelCtrl>(dialog, record);
    case kPicture:
        return std::make_unique<KIVPictureCtrl>(dialog, record);
    case kTextButton:
        return std::make_unique<KIVTextButtonCtrl>(dialog, record);
    case kCheckBox:
        return std::make_unique<KIVCheckBoxCtrl>(dialog, record);
    case kRadioButton:
        return std::make_unique<KIVRadioButtonCtrl>(dialog, record);
    default:
        return nullptr;
    }
}
