// Fuzz target: the reader of .LNK files. Any input must be read or refused
// without crashing or reading out of bounds; a link that is read must come
// back the same through the writer and the reader again.
#include "platform/ShellLinkFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ShellLinkData link;
    if (!ShellLinkFile::Read(data, size, &link))
        return 0;
    const std::vector<BYTE> written = ShellLinkFile::Write(link);
    ShellLinkData again;
    if (!ShellLinkFile::Read(written.data(), written.size(), &again) ||
        again.ansiTargetPath != link.ansiTargetPath || again.targetPath != link.targetPath ||
        again.description != link.description || again.fileAttributes != link.fileAttributes)
        std::abort();
    return 0;
}
