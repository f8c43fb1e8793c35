// Fuzz target: the uninstall record reader. Nothing may crash or read out of
// bounds; a record that is accepted must be exactly the bytes the setup's
// writer makes for what was read (the reader is strict, so writing the
// lists back gives the input again), and every path in it must be sound.
#include "engine/UninstallRecordReader.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

std::string Section(const char* label, const std::vector<std::string>& lines) {
    std::string text = std::string(label) + " " + std::to_string(lines.size()) + "\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    UninstallRecord record;
    UninstallRecordError error;
    if (!ReadUninstallRecord(bytes, &record, &error)) {
        if (error.line < 1 || error.reason.empty())
            std::abort();
        return 0;
    }
    const std::string written = Section("files", record.files) +
                                Section("folders", record.folders) +
                                Section("regkeys", record.registryKeys) + "longappname\r\n" +
                                record.applicationName + "\r\n";
    if (written != bytes)
        std::abort();
    for (const std::vector<std::string>* paths : {&record.files, &record.folders})
        for (const std::string& path : *paths)
            if (!IsSoundRecordPath(path))
                std::abort();
    return 0;
}
