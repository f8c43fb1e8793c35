// Creates every folder along a path: for each backslash in the path and at
// its end, the folder named by the text before it. Failures (a folder that
// exists already, a drive root) are ignored; the caller finds out when it
// opens a file there. With a journal, each folder that does not exist yet is
// listed in it before it is made.
#pragma once

class InstallJournal;

void CreateFolderPath(const char16_t* path, InstallJournal* journal = nullptr);
