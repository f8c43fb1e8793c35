#include "toolkit/KIVControlFactory.h"

#include "toolkit/controls/KIVEditCtrl.h"
#include "toolkit/controls/KIVLabelCtrl.h"
#include "toolkit/controls/KIVListBoxCtrl.h"
#include "toolkit/controls/KIVMultiLineEditCtrl.h"
#include "toolkit/controls/KIVScrollBarCtrl.h"
#include "toolkit/controls/KIVProgressBarCtrl.h"

namespace {

enum ControlType : LONG { kPlainControl = 1, kLabel = 2 };
enum TextControlType : LONG { kMultiLineEdit = 20, kVScrollBar = 25, kHScrollBar = 26 };
enum ListControlType : LONG { kListBox = 27 };

} // namespace

std::unique_ptr<KIVControl> KIVCreateControl(KIVDialog* dialog, const KIVControlRecord& record) {
    switch (record.type) {
    case kPlainControl:
        return std::make_unique<KIVControl>(dialog, record);
    case kLabel:
        return std::make_unique<KIVLabelCtrl>(dialog, record);
    case kMultiLineEdit:
        return std::make_unique<KIVMultiLineEditCtrl>(dialog, record);
    case kVScrollBar:
        return std::make_unique<KIVScrollBarCtrl>(dialog, record, true);
    case kHScrollBar:
        return std::make_unique<KIVScrollBarCtrl>(dialog, record, false);
    case kListBox:
        return std::make_unique<KIVListBoxCtrl>(dialog, record);
    case 19: // edit field
        return std::make_unique<KIVEditCtrl>(dialog, record);
    case 33: // progress bar
        return std::make_unique<KIVProgressBarCtrl>(dialog, record);
    default:
        return nullptr;
    }
}
