// KIVFrameWnd: the toolkit's top-level window; it accepts dropped files and
// hands each to the application's OpenDocument.
#pragma once

#include "toolkit/KIVWnd.h"

class KIVFrameWnd : public KIVWnd {
public:
    static constexpr const char16_t* kDefaultTitle = u"MainFrame";
    // Room for a dropped path, in bytes of the ANSI code page with its
    // terminator; a longer path is skipped rather than cut to another name.
    static constexpr UINT kDroppedPathBytes = 260;

    // Creates the window with the title ("MainFrame" when null) and the
    // extended style WS_EX_ACCEPTFILES.
    bool Create(const char16_t* title, DWORD style, const RECT& rect);

protected:
    // One by one, in the order dropped, each file goes to OpenDocument.
    void OnDropFiles(HDROP drop) override;
};
