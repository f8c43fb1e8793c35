// Fuzz target: the accelerator file reader and its lookup.
#include "toolkit/resources/KIVAcceleratorTable.h"
#include "toolkit/resources/KIVMemorySource.h"

#include <cstdint>
#include <cstdlib>
#include <initializer_list>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const KIVMemorySource file(data, size);
    KIVAcceleratorTable table;
    if (table.Load(file) && table.Entries().size() * 20 + 260 > size)
        std::abort();
    for (const KIVAccelerator& entry : table.Entries()) {
        const KIVAccelerator* found =
            table.Find(entry.key, entry.modifiers & 4, entry.modifiers & 8, entry.modifiers & 16);
        if (!found || found->key != entry.key)
            std::abort();
    }
    return 0;
}
