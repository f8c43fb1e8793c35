// The control classes of the dialog file's records, by type.
#pragma once

#include "toolkit/KIVControl.h"

#include <memory>

// The control a record describes, or null for a type without a class here
// (the record is then skipped).
std::unique_ptr<KIVControl> KIVCreateControl(KIVDialog* dialog, const KIVControlRecord& record);
// Whether records of a type make a control (for the tools that write them).
bool KIVControlTypeIsBuilt(LONG type);
