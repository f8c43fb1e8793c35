// Fuzz target: the data of PendingFileRenameOperations as the restart reads
// it. Any data splits into pairs; the pairs written back read as the same
// pairs; each pair reads as a replacement of a named source, a deletion
// only when its target is stored empty, or as one marked not valid.
#include "platform/PendingRenames.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string value(reinterpret_cast<const char*>(data), size);
    const std::vector<PendingRenames::Texts> pairs = PendingRenames::Split(value);
    Check(PendingRenames::Split(PendingRenames::Join(pairs)) == pairs);
    for (const PendingRenames::Texts& pair : pairs) {
        Check(!pair.first.empty());
        const PendingRename rename = PendingRenames::Interpret(pair);
        Check(!rename.valid || !rename.source.empty());
        Check(!rename.valid || rename.target.empty() == pair.second.empty());
    }
    return 0;
}
