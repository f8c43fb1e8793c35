// Fuzz target: the string file reader. Any bytes must give a text or the
// empty text, never a read outside them; a text is never over 10000
// characters.
#include "toolkit/resources/KIVMemorySource.h"
#include "toolkit/resources/KIVStringFile.h"

#include <cstdint>
#include <cstdlib>
#include <initializer_list>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const KIVMemorySource file(data, size);
    for (LONG id : {0, 1, 2, 3, 7, 100, -1, 0x7FFFFFFF})
        if (KIVStringFile::ReadText(file, id).GetLength() > KIVStringFile::kMaxChars)
            std::abort();
    return 0;
}
