// KIVListBoxLineFlag: a line of the language list, a flag picture followed
// by the language's name, each centred in the line's height.
#pragma once

#include "toolkit/controls/KIVListBoxLine.h"
#include "toolkit/resources/KIVBitmapFile.h"

class KIVListBoxLineFlag : public KIVListBoxLine {
public:
    // Loads the picture; the line is 7 pixels taller than it.
    KIVListBoxLineFlag(KIVListBoxCtrl* owner, int pictureId, const char16_t* text);
    ~KIVListBoxLineFlag() override;

    void Draw(const KIVDrawBuffer& buffer, const RECT& rect, const KIVListLineLook& look) override;
    // Where the name begins on a line at rect: 5 pixels after the flag.
    LONG TextLeft(const RECT& rect) const { return rect.left + kPictureLeft + picture_.width + 5; }
    int Width() const override;

private:
    static constexpr LONG kPictureLeft = 6;
    KIVBitmapFrame picture_;
};
