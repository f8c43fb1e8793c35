#include "tools/kivtool/RcOutput.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

RcBytes Header(std::int32_t language) {
    RcBytes out;
    out.Long(language);
    out.bytes.resize(256, 0);
    return out;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

} // namespace

std::vector<std::uint8_t> BuildRecordFile(std::int32_t language, const RcRecords& items) {
    RcBytes out = Header(language);
    const std::int32_t entries = items.empty() ? 0 : items.rbegin()->first + 1;
    for (std::int32_t i = 0; i < entries; ++i)
        out.Long(-1);
    for (const auto& [id, record] : items) {
        out.PutLong(256 + 4 * static_cast<std::size_t>(id),
                    static_cast<std::int32_t>(out.bytes.size()));
        out.Append(record);
    }
    return out.bytes;
}

std::vector<std::uint8_t> BuildAcceleratorFile(std::int32_t language,
                                               const std::vector<RcAcceleratorLine>& lines) {
    RcBytes out = Header(language);
    out.Long(static_cast<std::int32_t>(lines.size()));
    for (const RcAcceleratorLine& line : lines)
        for (std::int32_t field : line.fields)
            out.Long(field);
    return out.bytes;
}

bool WriteOutputs(const std::string& base, const std::vector<RcOutputFile>& files, RcError* error) {
    std::error_code code;
    const fs::path parent = fs::path(base).parent_path();
    if (!parent.empty())
        fs::create_directories(parent, code);
    bool ok = true;
    for (std::size_t i = 0; ok && i < files.size(); ++i) {
        const std::string path = base + files[i].extension;
        ok = WriteFile(path + ".part", files[i].bytes);
        if (!ok)
            *error = {path, 0, "cannot write the file"};
    }
    for (std::size_t i = 0; ok && i < files.size(); ++i) {
        const std::string path = base + files[i].extension;
        fs::rename(path + ".part", path, code);
        ok = !code;
        if (!ok)
            *error = {path, 0, "cannot put the file in place: " + code.message()};
    }
    for (const RcOutputFile& file : files)
        fs::remove(base + file.extension + ".part", code);
    return ok;
}
