// Fuzz target: the registry text reader of "kivtool reg import" (parsing
// only; nothing is applied). A refusal must name a line of the input and a
// reason; accepted changes must name a root key.
#include "platform/Machine.h"
#include "tools/kivtool/RegTextReader.h"

#include <cstdint>
#include <cstdlib>

namespace {

void UseScratchMachine() {
    static bool ready = [] {
        char pattern[] = "/tmp/kiv-fuzz-regimport-XXXXXX";
        std::string made = mkdtemp(pattern) ? pattern : "/tmp/kiv-fuzz-regimport";
        std::string error;
        return Machine::Create(made, MachineSettings(), &error) && Machine::Use(made);
    }();
    if (!ready)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    UseScratchMachine();
    std::string content(reinterpret_cast<const char*>(bytes), size);
    std::vector<RegTextChange> changes;
    int line = 0;
    std::string error;
    // Both forms of text values: the older family's ANSI (even sizes) and
    // the NT family's UTF-16LE (odd sizes).
    if (!RegTextReader::Parse(content, size % 2 != 0, &changes, &line, &error)) {
        if (line < 1 || error.empty() || static_cast<std::size_t>(line) > size + 1)
            std::abort();
        return 0;
    }
    for (const RegTextChange& change : changes)
        if (!RegistryStore::RootName(change.root) || change.line < 2)
            std::abort();
    return 0;
}
