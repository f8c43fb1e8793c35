// Fuzz target: the install journal reader, for journals and values files.
// Nothing may crash or read out of bounds; a refusal names its line; an
// accepted journal holds only sound paths, and a value only under a key.
#include "engine/InstallJournalReader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    UninstallRecord record;
    UninstallRecordError error;
    if (!ReadInstallJournal(bytes, &record, &error)) {
        if (error.line < 1 || error.reason.empty() || !record.files.empty())
            std::abort();
    } else {
        for (const std::vector<std::string>* paths : {&record.files, &record.folders})
            for (const std::string& path : *paths)
                if (!IsSoundRecordPath(path))
                    std::abort();
        for (const SharedFileUse& shared : record.sharedFiles)
            if (!IsSoundRecordPath(shared.path) || shared.countBefore > 0x7FFFFFFF)
                std::abort();
        if (record.writtenValues.size() > record.registryKeys.size())
            std::abort();
    }
    UninstallRecord values;
    if (ReadWrittenValues(bytes, &values, &error) && !values.files.empty())
        std::abort();
    return 0;
}
