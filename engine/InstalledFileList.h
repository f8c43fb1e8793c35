// The installed-files list: full paths in the machine's ANSI code page, in
// the order in which the files were made, one 520-byte record per path. The
// reader, the file copy and the shortcut code append to it; the uninstall
// record is written from it.
#pragma once

#include "engine/TextRecordList.h"

using InstalledFileList = TextRecordList<520>;
