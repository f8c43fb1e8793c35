// KIVWnd: the toolkit's window. A framework window that also takes the
// toolkit's commands (KIVMessageMapHelper); dialogs and frame windows derive
// from it.
#pragma once

#include "platform/mfc/AfxWin.h"
#include "toolkit/KIVMessageMapHelper.h"

class KIVWnd : public CWnd, public KIVMessageMapHelper {
public:
    KIVWnd() = default;

    // Whether the calling thread is the one that made the window (any thread
    // counts as long as there is no window).
    bool OnWindowThread() const;
};
