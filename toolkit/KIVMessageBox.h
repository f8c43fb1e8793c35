// KIVMessageBox: every question and error the setup shows while its user
// interface runs. Sets the arrow cursor for the time the box is shown and
// returns the answer (see KIVMessageBoxDlg for the flags and results).
#pragma once

#include "platform/mfc/AfxWin.h"

// owner: the window the box belongs to, or null. A button set of 0 is a
// single OK button.
int KIVMessageBox(CWnd* owner, const char16_t* text, const char16_t* caption, DWORD flags,
                  int helpTopic);
