// The setup's folder copy for bench/copy-folder.sh: copies each SOURCE folder
// into its DEST with CopyFolderFiles, as the install worker does for an
// entry that is not packed (every file, progress callbacks in place).
//
//   copy_folder_files SOURCE DEST [SOURCE DEST ...]
//
// Paths are host paths; the machine is the one KIV_MACHINE names.
#include "engine/CopyFolderFiles.h"
#include "platform/HostText.h"
#include "platform/PathMap.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

std::int64_t copiedBytes = 0;
int copiedFiles = 0;

void OnBytes(int count) {
    copiedBytes += count;
}

void OnName(const char*) {
    ++copiedFiles;
}

std::u16string WindowsPath(const char* hostPath) {
    return HostText::ToWide(PathMap::ToWindows(hostPath));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc % 2 == 0) {
        std::fputs("usage: copy_folder_files SOURCE DEST [SOURCE DEST ...]\n", stderr);
        return 2;
    }
    InstallEntry entry; // no names in the skip list: every file
    InstalledFileList installed;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::u16string source = WindowsPath(argv[i]);
        MediumFolder medium(source.c_str()); // the source folder is the whole medium
        if (!CopyFolderFiles(entry, source.c_str(), medium, WindowsPath(argv[i + 1]).c_str(),
                             OnBytes, OnName, nullptr, nullptr, &installed)) {
            std::fprintf(stderr, "copy failed in %s\n", argv[i]);
            return 1;
        }
    }
    std::printf("%d files, %lld bytes\n", copiedFiles, static_cast<long long>(copiedBytes));
    return 0;
}
