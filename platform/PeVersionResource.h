// The version resource of a PE image: found in the resource tree under type
// 16 (RT_VERSION), its first name and that name's first language, and read
// as far as the length its root node gives. Internal to the platform layer.
#pragma once

#include "platform/PeImageFile.h"

#include <vector>

namespace PeVersionResource {

// Reads the version block of an opened image into *block. ERROR_SUCCESS, or
// ERROR_RESOURCE_DATA_NOT_FOUND (no resources, or a tree or data entry that
// points outside the sections), ERROR_RESOURCE_TYPE_NOT_FOUND,
// ERROR_RESOURCE_NAME_NOT_FOUND, ERROR_RESOURCE_LANG_NOT_FOUND (nothing at
// that level of the tree), ERROR_INVALID_DATA (a root length shorter than a
// node header or longer than the resource).
DWORD Read(const PeImageFile& image, std::vector<BYTE>* block);

} // namespace PeVersionResource
