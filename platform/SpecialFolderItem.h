// The item identifier lists this shell makes: one item holding a signature
// and the folder's Windows path in UTF-16, then the terminating empty item.
// The signature tells a special folder's list (SHGetSpecialFolderLocation)
// from a file-system folder's (ILCreateFromPath, the folder browser); both
// name their folder by its path. Internal to the platform layer.
#pragma once

#include "platform/ShlObj.h"

#include <string>

namespace SpecialFolderItem {

enum class Kind { SpecialFolder, FileSystem };

// A new list for path, allocated with the shell allocator; null when the
// allocation fails.
LPITEMIDLIST Make(const std::u16string& path, Kind kind = Kind::SpecialFolder);

// The path of a list that Make made, of either kind. False for any other list.
bool Path(LPCITEMIDLIST pidl, std::u16string* path);

// The name the shell shows for a folder path: its last component, or "C:"
// for the root of a drive.
std::u16string DisplayName(const std::u16string& path);

} // namespace SpecialFolderItem
