#include "toolkit/resources/KIVStringFile.h"

#include "toolkit/KIVLock.h"
#include "toolkit/resources/KIVFileSource.h"

#include <algorithm>
#include <vector>

namespace {

LPCRITICAL_SECTION TextLock() {
    static CRITICAL_SECTION* section = [] {
        auto* made = new CRITICAL_SECTION;
        InitializeCriticalSection(made);
        return made;
    }();
    return section;
}

} // namespace

KIVString KIVStringFile::ReadText(const KIVResourceSource& file, LONG id) {
    std::uint64_t offset = 0;
    LONG length = -1;
    if (!file.ItemOffset(id, &offset) || !file.ReadLong(offset + 4, &length) || length < 0)
        return KIVString();
    const LONG count = std::min(length, kMaxChars);
    std::vector<BYTE> bytes(static_cast<std::size_t>(count) * 2);
    if (!file.ReadAt(offset + 8, bytes.data(), static_cast<std::uint32_t>(bytes.size())))
        return KIVString();
    std::vector<char16_t> text(static_cast<std::size_t>(count) + 1, u'\0');
    for (LONG i = 0; i < count; ++i)
        text[static_cast<std::size_t>(i)] =
            static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    return KIVString(text.data());
}

KIVString KIVStringFile::GetText(const char* path, LONG id) {
    KIVLock lock(TextLock());
    KIVFileSource file(path);
    return file.IsOpen() ? ReadText(file, id) : KIVString();
}
