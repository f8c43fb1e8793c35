// Fuzz target: "kivtool reg import" whole, applied to a fresh scratch
// machine for each input. A file that reads is applied in full or not at
// all, a failure naming its line; what it leaves is exported, and the export
// reads back as a registry file.
#include "platform/Machine.h"
#include "tools/kivtool/RegTextApply.h"
#include "tools/kivtool/RegTextWriter.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// A machine made afresh for this input; the previous one is removed.
void UseFreshMachine() {
    static std::string previous;
    char pattern[] = "/tmp/kiv-fuzz-regapply-XXXXXX";
    Check(mkdtemp(pattern) != nullptr);
    std::string error;
    Check(Machine::Create(pattern, MachineSettings(), &error) && Machine::Use(pattern));
    std::error_code code;
    if (!previous.empty())
        std::filesystem::remove_all(previous, code);
    previous = pattern;
}

// The whole registry as "reg export" writes it; false when a name has no
// text form (the export refuses such a registry).
bool Export(RegistryStore& store, std::string* out) {
    *out = std::string(RegTextWriter::kHeader) + "\n";
    for (RegKeyId root = RegistryStore::kFirstRoot; root <= RegistryStore::kLastRoot; ++root) {
        std::string failedKey;
        const LONG result = RegTextWriter::WriteKey(store, root, RegistryStore::RootName(root),
                                                    false, out, &failedKey);
        Check(result == ERROR_SUCCESS || result == ERROR_NO_UNICODE_TRANSLATION);
        if (result)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<RegTextChange> changes;
    int line = 0;
    std::string error;
    // A fresh machine is of the NT family, which keeps text values in UTF-16LE.
    if (!RegTextReader::Parse(std::string(reinterpret_cast<const char*>(data), size), true,
                              &changes, &line, &error))
        return 0;
    UseFreshMachine();
    RegistryStore::Session session;
    Check(session.Store() != nullptr);
    RegistryStore& store = *session.Store();
    if (const LONG result = RegTextApply::Apply(store, changes, &line)) {
        Check(line >= 1 || result == ERROR_CANTWRITE);
        return 0;
    }
    std::string exported;
    if (Export(store, &exported)) {
        std::vector<RegTextChange> again;
        Check(RegTextReader::Parse(exported, store.WideText(), &again, &line, &error));
    }
    return 0;
}
