// The sharing modes of open files, as Windows checks them, held between all
// processes of the machine and between the opens of one process. An open is
// refused when it wants access that an earlier open does not share, or
// denies sharing that an earlier open uses. Deleting a file, or renaming a
// file over it, needs every open of it to share deletion. A running
// program's file (its image) can be read and renamed, not written, and
// deleting or replacing it is refused outright. Internal to the platform
// layer.
//
// The table lives in the host files themselves, as open-file-description
// locks (fcntl F_OFD_SETLK) on bytes far beyond any real data: from kBase on,
// one byte per kind of open, its slot. The slot of an open is
// access * 8 + share, where access is 0 to 3 (1 read, 2 write) and share the
// FILE_SHARE_* bits (0 to 7); slot 32 is a program image. An open holds a
// shared (read) lock on its slot's byte through its own file description, so
// that opens of the same kind never conflict with one another, the lock goes
// exactly when the open is closed, and a child process that inherits the
// description keeps it.
//
// To open, a caller first takes the lock of its slot, then asks the host for
// any lock of another description over all slots (F_OFD_GETLK, as if for an
// exclusive lock). The usual answer, none, costs that one call; otherwise the
// search splits around each lock found and compares that slot with the
// request. Since every open takes its lock before it looks, of two
// conflicting opens racing each other the later one to look sees the other:
// both may fail, never both succeed. A file system without such locks
// enforces no sharing.
#pragma once

#include "platform/WinBase.h"

#include <string>
#include <sys/stat.h>

namespace ShareTable {

// The access a request asks for: GENERIC_READ, GENERIC_WRITE, and kDelete
// (Windows' DELETE right) to delete the file, rename it or rename another
// file over it.
constexpr DWORD kDelete = 0x00010000u;

// Takes the lock of an open with access and share on fd, a host descriptor of
// the file with its own file description, and checks it against the opens of
// other descriptions: ERROR_SUCCESS, or ERROR_SHARING_VIOLATION, after which
// the caller closes fd. The shared lock needs a descriptor open for reading:
// an open through a write-only one is checked but not held.
DWORD Acquire(int fd, DWORD access, DWORD share);

// Holds fd's file as a running program's image (read, sharing reading and
// deletion). The same results as Acquire.
DWORD AcquireImage(int fd);

// Whether a request would be granted against the opens held, looked at
// through fd, which holds no lock of its own: ERROR_SUCCESS,
// ERROR_SHARING_VIOLATION, or ERROR_ACCESS_DENIED for a kDelete request on a
// program image that no open otherwise forbids.
DWORD Check(int fd, DWORD access, DWORD share);

// Check on the file at hostPath (whose lstat is info), opened for the time of
// the test. Only plain files are looked at; one that cannot be opened for
// reading is taken as free.
DWORD CheckPath(const std::string& hostPath, const struct stat& info, DWORD access, DWORD share);

} // namespace ShareTable
