// Whether a staged system file is newer than the one installed, by the fixed
// file version of their version resources.
#pragma once

enum class FileVersionOrder {
    kUnknown,  // either file has no readable version information
    kNewer,    // the staged file's version is greater
    kNotNewer, // equal or older
};

// Compares the file versions (the most significant 32 bits first, then the
// least significant, each unsigned) of two ANSI paths. A file counts as
// without version information when it has no version block, the block cannot
// be read, or its root holds no valid fixed information.
FileVersionOrder CompareFileVersions(const char* stagedPath, const char* targetPath);
