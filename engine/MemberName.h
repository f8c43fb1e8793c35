// The check that keeps archive members inside their destination folder.
#pragma once

// True when a member name (already converted to wide text) may be joined to a
// destination folder: not empty, no leading separator, no drive or stream
// colon, and no ".." component (nor a component of only dots and spaces that
// Windows would shorten to ".."). Sub-folders ("a\b.txt") are allowed.
bool IsSafeMemberName(const char16_t* name);
