#include "toolkit/KIVDrawingRequest.h"

bool KIVDrawingRequest::Merge(KIVDialog* dialog, const RECT& rect) {
    if (!dialog || IsRectEmpty(&rect))
        return true;
    if (!dialog_) {
        dialog_ = dialog;
        rect_ = rect;
        return true;
    }
    if (dialog != dialog_)
        return false;
    UnionRect(&rect_, &rect_, &rect);
    return true;
}

void KIVDrawingRequest::Clear() {
    dialog_ = nullptr;
    SetRectEmpty(&rect_);
}
