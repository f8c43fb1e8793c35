// CopyFileWithProgress: copies one file through the toolkit's file stream in
// chunks of 262144 bytes, reporting each chunk and obeying the progress
// page's pause and cancel bytes.
#pragma once

#include "engine/Zipage.h"

#include <atomic>
#include <cstdint>

// Opens the source for reading first, unshared, and then creates or empties
// the destination (a link at the destination is replaced by the new file,
// never written through). Because the source is held, a destination that is
// the source itself is refused instead of emptied.
//
// *copiedBytes (when given) receives the running total; onBytes (when given)
// each chunk's count. Returns true when the whole file was copied, and also
// after a cancel, which leaves the destination with what was copied so far
// (the caller tells them apart by its cancel byte). Returns false when either
// file cannot be opened, a read fails, or the destination takes fewer bytes
// than were written to it (a full disk); what was copied stays.
bool CopyFileWithProgress(const char16_t* sourcePath, const char16_t* destPath,
                          std::int64_t* copiedBytes, ZipageBytesCallback onBytes,
                          const std::atomic<unsigned char>* cancelFlag,
                          const std::atomic<unsigned char>* pauseFlag);
