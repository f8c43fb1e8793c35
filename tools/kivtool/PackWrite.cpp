#include "tools/kivtool/PackWrite.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
bool PackFile(ZipageWriter& writer, const std::string& name, const std::filesystem::path& path,
              std::vector<unsigned char>& buffer, std::string* error) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) {
        *error = "cannot read " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    bool ok = writer.BeginMember(name);
    std::size_t got;
    while (ok && (got = std::fread(buffer.data(), 1, buffer.size(), in)) > 0)
        ok = writer.AddData(buffer.data(), got);
    if (ok && std::ferror(in))
        *error = "cannot read " + path.string() + ": " + std::strerror(errno);
    ok = ok && !std::ferror(in);
    std::fclose(in);
    return ok && writer.EndMember();
}
} // namespace

bool PackMembers(ZipageWriter& writer, const std::vector<PackSourceFile>& members,
                 ZipagePackageInfo* info, std::string* error) {
    std::vector<unsigned char> buffer(256 * 1024);
    bool ok = writer.BeginPackage();
    for (const PackSourceFile& member : members)
        ok = ok && PackFile(writer, member.name, member.path, buffer, error);
    ok = ok && writer.EndPackage(info);
    if (!ok && error->empty())
        *error = writer.Error();
    return ok;
}
