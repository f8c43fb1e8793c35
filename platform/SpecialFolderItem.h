// The item identifier list of a special folder as this shell makes it: one
// item holding a signature and the folder's Windows path in UTF-16, then the
// terminating empty item. Internal to the platform layer.
#pragma once

#include "platform/ShlObj.h"

#include <string>

namespace SpecialFolderItem {

// A new list for path, allocated with the shell allocator; null when the
// allocation fails.
LPITEMIDLIST Make(const std::u16string& path);

// The path of a list that Make made. False for any other list.
bool Path(LPCITEMIDLIST pidl, std::u16string* path);

} // namespace SpecialFolderItem
