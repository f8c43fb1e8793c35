// The free space the setup compares its size with: the bytes available to
// the user on the volume that holds a folder. A folder that does not exist
// yet is measured on its deepest existing ancestor: the path is cut at its
// last backslash until the volume answers.
#pragma once

// The number of whole kilobytes available times 1024; false, leaving *bytes
// alone, when no part of the path answers (the free space is unknown).
bool FreeSpaceOf(const char16_t* folder, double* bytes);
