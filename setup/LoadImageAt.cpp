#include "setup/LoadImageAt.h"

#include "setup/LoadImagePicture.h"
#include "toolkit/drawing/KIVPainter.h"

bool LoadImageAt(const KIVDrawBuffer& background, const char16_t* basePath, int x, int y,
                 int* width, int* height) {
    const std::unique_ptr<KIVBitmapFrame> picture = LoadImagePicture(basePath, width, height);
    if (!picture)
        return false;
    KIVPainter::DrawFrame(background, *picture, x, y);
    return true;
}
