#include "toolkit/KIVControlFactory.h"

#include "toolkit/controls/KIVCheckBoxCtrl.h"
#include "toolkit/controls/KIVEditCtrl.h"
#include "toolkit/controls/KIVFrameCtrl.h"
#include "toolkit/controls/KIVGroupCtrl.h"
#include "toolkit/controls/KIVLabelCtrl.h"
#include "toolkit/controls/KIVListBoxCtrl.h"
#include "toolkit/controls/KIVMultiLineEditCtrl.h"
#include "toolkit/controls/KIVPictureCtrl.h"
#include "toolkit/controls/KIVProgressBarCtrl.h"
#include "toolkit/controls/KIVRadioButtonCtrl.h"
#include "toolkit/controls/KIVScrollBarCtrl.h"
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
    kEdit = 19,
    kMultiLineEdit = 20,
    kVScrollBar = 25,
    kHScrollBar = 26,
    kListBox = 27,
    kGroup = 28,
    kProgressBar = 33,
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
    case kEdit:
        return std::make_unique<KIVEditCtrl>(dialog, record);
    case kMultiLineEdit:
        return std::make_unique<KIVMultiLineEditCtrl>(dialog, record);
    case kVScrollBar:
        return std::make_unique<KIVScrollBarCtrl>(dialog, record, true);
    case kHScrollBar:
        return std::make_unique<KIVScrollBarCtrl>(dialog, record, false);
    case kListBox:
        return std::make_unique<KIVListBoxCtrl>(dialog, record);
    case kGroup:
        return std::make_unique<KIVGroupCtrl>(dialog, record);
    case kProgressBar:
        return std::make_unique<KIVProgressBarCtrl>(dialog, record);
    default:
        return nullptr;
    }
}

bool KIVControlTypeIsBuilt(LONG type) {
    switch (type) {
    case kPlainControl:
    case kLabel:
    case kFrame:
    case kBumpFrame:
    case kVSeparator:
    case kHSeparator:
    case kPicture:
    case kTextButton:
    case kCheckBox:
    case kRadioButton:
    case kEdit:
    case kMultiLineEdit:
    case kVScrollBar:
    case kHScrollBar:
    case kListBox:
    case kGroup:
    case kProgressBar:
        return true;
    default:
        return false;
    }
}
