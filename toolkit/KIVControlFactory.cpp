#include "toolkit/KIVControlFactory.h"

#include "toolkit/controls/KIVLabelCtrl.h"

namespace {

enum ControlType : LONG { kPlainControl = 1, kLabel = 2 };

} // namespace

std::unique_ptr<KIVControl> KIVCreateControl(KIVDialog* dialog, const KIVControlRecord& record) {
    switch (record.type) {
    case kPlainControl:
        return std::make_unique<KIVControl>(dialog, record);
    case kLabel:
        return std::make_unique<KIVLabelCtrl>(dialog, record);
    default:
        return nullptr;
    }
}
