// KIVFrameWnd: the toolkit's top-level window; it accepts dropped files.
#pragma once

#include "toolkit/KIVWnd.h"

class KIVFrameWnd : public KIVWnd {
public:
    static constexpr const char16_t* kDefaultTitle = u"MainFrame";

    // Creates the window with the title ("MainFrame" when null) and the
    // extended style WS_EX_ACCEPTFILES.
    bool Create(const char16_t* title, DWORD style, const RECT& rect);
};
