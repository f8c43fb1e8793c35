// The folder browser behind SHBrowseForFolderA. The platform cannot draw, so
// the user-interface toolkit registers the browser it draws when it starts,
// as a shell extension would; SHBrowseForFolderA hands every request to it.
#pragma once

#include "platform/ShlObj.h"

#include <string>

// One run of the browser as the caller asked for it.
struct FolderBrowseRequest {
    const BROWSEINFOA* info = nullptr; // the caller's request, never null
    std::u16string root;               // the path of info->pidlRoot; empty: every drive
};

// Runs the browser modally: a top-level window of the platform whose handle
// the caller's callback gets, which answers BFFM_SETSTATUSTEXTA,
// BFFM_ENABLEOK and BFFM_SETSELECTIONA. True with the chosen folder's full
// Windows path in *chosen when the user chose one; false when cancelled.
typedef bool (*FolderBrowserHook)(const FolderBrowseRequest& request, std::u16string* chosen);

// Registers the browser (null: none, every browse is then cancelled). Any
// thread may call it.
void SetFolderBrowserHook(FolderBrowserHook hook);
FolderBrowserHook GetFolderBrowserHook();
