// LoadImagePicture: one setup picture, its JPEG pair loaded (LoadImagePair)
// and composed (ComposeImage) into a toolkit picture.
#pragma once

#include "toolkit/resources/KIVBitmapFile.h"

#include <memory>

// width and height hold the maximum on entry and the picture's size on
// return. None when the colour file is missing or cannot be decoded.
std::unique_ptr<KIVBitmapFrame> LoadImagePicture(const char16_t* basePath, int* width, int* height);
