// CreateShellLink: makes one .LNK file through the shell's link object.
#pragma once

// Creates a shell link object, sets its target (ANSI) and description (ANSI)
// and saves it as linkPath, replacing a file of that name. Nothing else of
// the link is set. False when any step fails; no link is left then.
bool CreateShellLink(const char* targetPath, const char16_t* linkPath, const char* description);
