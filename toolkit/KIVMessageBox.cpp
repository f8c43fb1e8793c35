#include "toolkit/KIVMessageBox.h"

#include "toolkit/KIVMessageBoxDlg.h"

int KIVMessageBox(CWnd* owner, const char16_t* text, const char16_t* caption, DWORD flags,
                  int helpTopic) {
    if ((flags & 0xFFFF) == 0)
        flags |= 1;
    const HCURSOR previous = ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    int result = 0;
    KIVMessageBoxDlg box(owner, text, caption, flags, &result, helpTopic);
    box.Run();
    ::SetCursor(previous);
    return result;
}
