// Recursive folder deletion. Symbolic links inside the folder are removed as
// links: the deletion never reaches anything outside the folder it empties.
#pragma once

// Deletes every file and subfolder inside folder (depth first during the
// search; files last found first, then folders last found first). Single
// failures are not reported. Returns 1.
int KIVDeleteTree(const char16_t* folder);
// KIVDeleteTree, then removes the folder itself.
void KIVDeleteFolder(const char16_t* folder);
