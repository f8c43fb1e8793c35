// Fuzz target: the bitmap file reader. A frame that is read holds exactly
// the rows its header announces.
#include "toolkit/resources/KIVBitmapFile.h"
#include "toolkit/resources/KIVMemorySource.h"

#include <cstdint>
#include <cstdlib>
#include <initializer_list>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const KIVMemorySource file(data, size);
    for (LONG id : {0, 1, 2})
        for (LONG frame : {0, 1, 5}) {
            KIVBitmapFrame read;
            if (KIVBitmapFile::ReadFrame(file, id, frame, &read) &&
                read.pixels.size() != KIVBitmapFile::RowBytes(read.flags, read.width) *
                                          static_cast<std::size_t>(read.height))
                std::abort();
        }
    return 0;
}
