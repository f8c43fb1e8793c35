// Writer and reader of the Shell Link binary format. Every multi-byte field
// is little-endian; every offset and count read is checked against the bytes
// that are there before it is used.
#include "platform/ShellLinkFile.h"

#include "platform/LittleEndian.h"

#include <algorithm>

namespace ShellLinkFile {
namespace {

// [SECTION] Layout
constexpr BYTE kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr DWORD kHasLinkTargetIdList = 0x01;
constexpr DWORD kHasLinkInfo = 0x02;
constexpr DWORD kHasName = 0x04;
constexpr DWORD kIsUnicode = 0x80;
constexpr DWORD kVolumeIdAndLocalBasePath = 0x01;
constexpr DWORD kLinkInfoHeaderSize = 0x1C;
constexpr DWORD kLinkInfoUnicodeHeaderSize = 0x24;
constexpr DWORD kVolumeIdSize = 0x11; // four fields and an empty label
constexpr DWORD kDriveFixed = 3;
constexpr DWORD kShowNormal = 1;
constexpr std::size_t kMaxCount = 0xFFFF;

// [SECTION] Writing
void PutWord(std::vector<BYTE>& out, WORD value) {
    out.push_back(static_cast<BYTE>(value));
    out.push_back(static_cast<BYTE>(value >> 8));
}

void PutDword(std::vector<BYTE>& out, DWORD value) {
    PutWord(out, static_cast<WORD>(value));
    PutWord(out, static_cast<WORD>(value >> 16));
}

void PutHeader(std::vector<BYTE>& out, DWORD flags, DWORD fileAttributes) {
    PutDword(out, kHeaderSize);
    out.insert(out.end(), kLinkClsid, kLinkClsid + 16);
    PutDword(out, flags);
    PutDword(out, fileAttributes);
    out.resize(out.size() + 24); // creation, access and write times: unknown
    PutDword(out, 0);            // file size
    PutDword(out, 0);            // icon index
    PutDword(out, kShowNormal);
    out.resize(out.size() + 12); // hot key and reserved fields
}

std::string Cut(const std::string& text) {
    return text.substr(0, std::min(text.size(), kMaxCount));
}

std::u16string Cut(const std::u16string& text) {
    return text.substr(0, std::min(text.size(), kMaxCount));
}

void PutLinkInfo(std::vector<BYTE>& out, const ShellLinkData& link) {
    const std::string ansi = Cut(link.ansiTargetPath);
    const std::u16string wide = Cut(link.targetPath);
    const DWORD headerSize = wide.empty() ? kLinkInfoHeaderSize : kLinkInfoUnicodeHeaderSize;
    const DWORD basePath = headerSize + kVolumeIdSize;
    const DWORD suffix = basePath + static_cast<DWORD>(ansi.size()) + 1;
    const DWORD basePathUnicode = suffix + 1;
    const DWORD suffixUnicode = basePathUnicode + 2 * static_cast<DWORD>(wide.size() + 1);
    const DWORD size = wide.empty() ? basePathUnicode : suffixUnicode + 2;
    PutDword(out, size);
    PutDword(out, headerSize);
    PutDword(out, kVolumeIdAndLocalBasePath);
    PutDword(out, headerSize); // the volume identifier follows the header
    PutDword(out, basePath);
    PutDword(out, 0); // no network location
    PutDword(out, suffix);
    if (!wide.empty()) {
        PutDword(out, basePathUnicode);
        PutDword(out, suffixUnicode);
    }
    PutDword(out, kVolumeIdSize);
    PutDword(out, kDriveFixed);
    PutDword(out, 0);    // serial number
    PutDword(out, 0x10); // label offset
    out.push_back(0);    // empty label
    out.insert(out.end(), ansi.begin(), ansi.end());
    out.insert(out.end(), 2, 0); // terminator and the empty common path suffix
    if (wide.empty())
        return;
    for (char16_t c : wide)
        PutWord(out, c);
    out.insert(out.end(), 4, 0);
}

void PutCountedString(std::vector<BYTE>& out, const std::u16string& text) {
    const std::u16string cut = Cut(text);
    PutWord(out, static_cast<WORD>(cut.size()));
    for (char16_t c : cut)
        PutWord(out, c);
}

} // namespace

std::vector<BYTE> Write(const ShellLinkData& link) {
    const bool hasInfo = !link.ansiTargetPath.empty() || !link.targetPath.empty();
    const bool hasName = !link.description.empty();
    std::vector<BYTE> out;
    PutHeader(out, kIsUnicode | (hasInfo ? kHasLinkInfo : 0) | (hasName ? kHasName : 0),
              link.fileAttributes);
    if (hasInfo)
        PutLinkInfo(out, link);
    if (hasName)
        PutCountedString(out, link.description);
    PutDword(out, 0); // terminal block of the extra data
    return out;
}

namespace {

// [SECTION] Reading
// A window on the bytes of the file or of one of its blocks.
struct Span {
    const BYTE* bytes;
    std::size_t size;

    bool Has(std::size_t offset, std::size_t length) const {
        return offset <= size && length <= size - offset;
    }
};

// The NUL-terminated narrow text at offset inside span.
bool ReadAnsi(Span span, std::size_t offset, std::string* text) {
    if (!span.Has(offset, 0))
        return false;
    const BYTE* begin = span.bytes + offset;
    const BYTE* end = std::find(begin, span.bytes + span.size, BYTE{0});
    if (end == span.bytes + span.size)
        return false;
    text->assign(begin, end);
    return true;
}

// The NUL-terminated UTF-16 text at offset inside span.
bool ReadUnicode(Span span, std::size_t offset, std::u16string* text) {
    text->clear();
    for (; span.Has(offset, 2); offset += 2) {
        const WORD c = LittleEndian::Word(span.bytes + offset);
        if (c == 0)
            return true;
        text->push_back(static_cast<char16_t>(c));
    }
    return false;
}

bool ReadLinkInfo(Span info, ShellLinkData* link) {
    const DWORD headerSize = LittleEndian::Dword(info.bytes + 4);
    if (headerSize < kLinkInfoHeaderSize || headerSize > info.size)
        return false;
    if (!(LittleEndian::Dword(info.bytes + 8) & kVolumeIdAndLocalBasePath))
        return true; // a network location only: no local target
    std::string suffix;
    if (!ReadAnsi(info, LittleEndian::Dword(info.bytes + 16), &link->ansiTargetPath) ||
        !ReadAnsi(info, LittleEndian::Dword(info.bytes + 24), &suffix))
        return false;
    link->ansiTargetPath += suffix;
    if (headerSize < kLinkInfoUnicodeHeaderSize)
        return true;
    std::u16string wideSuffix;
    if (!ReadUnicode(info, LittleEndian::Dword(info.bytes + 28), &link->targetPath))
        return false;
    const DWORD suffixOffset = LittleEndian::Dword(info.bytes + 32);
    if (suffixOffset && !ReadUnicode(info, suffixOffset, &wideSuffix))
        return false;
    link->targetPath += wideSuffix;
    return true;
}

bool ReadName(Span file, std::size_t offset, bool unicode, ShellLinkData* link) {
    if (!file.Has(offset, 2))
        return false;
    const std::size_t count = LittleEndian::Word(file.bytes + offset);
    const std::size_t unit = unicode ? 2 : 1;
    if (!file.Has(offset + 2, count * unit))
        return false;
    const BYTE* text = file.bytes + offset + 2;
    for (std::size_t i = 0; i < count; ++i) {
        if (unicode)
            link->description.push_back(static_cast<char16_t>(LittleEndian::Word(text + 2 * i)));
        else
            link->ansiDescription.push_back(static_cast<char>(text[i]));
    }
    return true;
}

} // namespace

bool Read(const BYTE* bytes, std::size_t size, ShellLinkData* link) {
    const Span file{bytes, size};
    if (!file.Has(0, kHeaderSize) || LittleEndian::Dword(bytes) != kHeaderSize ||
        !std::equal(kLinkClsid, kLinkClsid + 16, bytes + 4))
        return false;
    const DWORD flags = LittleEndian::Dword(bytes + 20);
    ShellLinkData read;
    read.fileAttributes = LittleEndian::Dword(bytes + 24);
    std::size_t offset = kHeaderSize;
    if (flags & kHasLinkTargetIdList) {
        if (!file.Has(offset, 2))
            return false;
        offset += 2 + LittleEndian::Word(bytes + offset);
    }
    if (flags & kHasLinkInfo) {
        if (!file.Has(offset, 4))
            return false;
        const DWORD infoSize = LittleEndian::Dword(bytes + offset);
        if (infoSize < kLinkInfoHeaderSize || !file.Has(offset, infoSize) ||
            !ReadLinkInfo(Span{bytes + offset, infoSize}, &read))
            return false;
        offset += infoSize;
    }
    if ((flags & kHasName) && !ReadName(file, offset, flags & kIsUnicode, &read))
        return false;
    *link = std::move(read);
    return true;
}

} // namespace ShellLinkFile
