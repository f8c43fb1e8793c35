// UninstallRecordLimits: how large the files the uninstaller reads whole
// may be, shared by the setup that writes them and the uninstaller that
// reads them, so that a record the setup writes is always one it reads.
//
// The uninstall record, the install journal and the values file are each
// read whole, and refused over kMaxUndoFileBytes. The counts of a record
// have no limit of their own: each counted line must be there, so the size
// bounds them. The setup keeps its installed files within kMaxListedFileBytes
// of "file <path>" CR LF journal lines (longer than the record's line for
// the same file), leaving the rest for the folders, keys and values: the
// archive reader refuses a member that would pass it, before making it.
#pragma once

#include <cstddef>

constexpr std::size_t kMaxUndoFileBytes = std::size_t(64) << 20;
constexpr std::size_t kMaxListedFileBytes = kMaxUndoFileBytes - (std::size_t(4) << 20);
// The journal line of a file beyond the path itself: "file " and CR LF.
constexpr std::size_t kListedFileLineExtra = 7;
