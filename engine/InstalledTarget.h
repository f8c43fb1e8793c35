// Whether a shortcut's target is there to point at: a link to a file that
// was not installed (its component was not chosen) would only fail when the
// user opens it, so such a link is left out.
#pragma once

// True when path names an existing file (not a folder) on the machine.
bool IsInstalledTarget(const char16_t* path);
