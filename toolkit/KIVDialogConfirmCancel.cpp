#include "toolkit/KIVDialogConfirmCancel.h"

namespace {

RECT g_lastPageRect{};

} // namespace

void KIVDialogConfirmCancel::OnCancel() {
    if (ConfirmCancel())
        EndDialog(kCancel);
}

void KIVDialogConfirmCancel::EndDialog(int result) {
    if (m_hWnd)
        ::GetWindowRect(m_hWnd, &g_lastPageRect);
    KIVDialog::EndDialog(result);
}

const RECT& KIVDialogConfirmCancel::LastPageRect() {
    return g_lastPageRect;
}
