// FitImageSize: the size a picture of the setup is shown at within its
// maximum. A picture within the maximum keeps its size; otherwise the side
// that exceeds its limit by more pixels (the width when only it exceeds, or
// on a tie the height) is set to its limit and the other follows the
// picture's proportions, truncated. Neither side ends above its limit nor
// below 1.
#pragma once

#include "platform/WinUser.h"

SIZE FitImageSize(SIZE image, SIZE maximum);
