// Fuzz target: the dialog file reader. Layouts read from any bytes hold no
// more controls than their bytes can hold.
#include "toolkit/resources/KIVDialogFile.h"
#include "toolkit/resources/KIVMemorySource.h"

#include <cstdint>
#include <cstdlib>
#include <initializer_list>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const KIVMemorySource file(data, size);
    for (LONG id : {0, 1, 4}) {
        KIVDialogLayout layout;
        if (KIVDialogFile::ReadLayout(file, id, &layout) &&
            layout.controls.size() * (8 + KIVDialogFile::kControlFixedBytes) > size)
            std::abort();
    }
    return 0;
}
