// KIVDrawingRequest: what a worker thread asks the user-interface thread to
// show, one dialog and the rectangle of its off-screen buffer that changed.
// Worker threads never draw on windows; they paint into the dialog's buffer
// and leave a request, which the user-interface thread carries out. The
// request itself is a plain value; its owner guards it with a lock.
#pragma once

#include "platform/WinUser.h"

class KIVDialog;

class KIVDrawingRequest {
public:
    // Adds a rectangle of a dialog to the request. A second rectangle of the
    // same dialog widens the request to the union of both. A null dialog or
    // an empty rectangle adds nothing. Returns false, changing nothing, when
    // a request for another dialog is pending: the request holds one dialog,
    // and the caller asks again after the flush instead of losing either.
    bool Merge(KIVDialog* dialog, const RECT& rect);

    bool IsPending() const { return dialog_ != nullptr; }
    KIVDialog* Dialog() const { return dialog_; }
    const RECT& Rect() const { return rect_; }
    void Clear();

private:
    KIVDialog* dialog_ = nullptr;
    RECT rect_{0, 0, 0, 0};
};
