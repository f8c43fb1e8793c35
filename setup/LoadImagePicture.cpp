#include "setup/LoadImagePicture.h"

#include "setup/ComposeImage.h"
#include "setup/LoadImagePair.h"

std::unique_ptr<KIVBitmapFrame> LoadImagePicture(const char16_t* basePath, int* width,
                                                 int* height) {
    std::vector<unsigned char> colour, mask;
    if (!LoadImagePair(basePath, width, height, &colour, &mask))
        return nullptr;
    return std::make_unique<KIVBitmapFrame>(
        ComposeImage(std::move(colour), std::move(mask), *width, *height));
}
