// Version information: GetFileVersionInfoSize, GetFileVersionInfo and
// VerQueryValue over the version resource of PE files (see WinVer.h).
#include "platform/CodePageConverter.h"
#include "platform/FileObject.h"
#include "platform/HostPath.h"
#include "platform/LittleEndian.h"
#include "platform/PeVersionResource.h"
#include "platform/VersionBlock.h"
#include "platform/WinVer.h"

#include <cstring>

namespace {

// The version block of the file at a host path, as stored. The file is
// opened as an image is mapped for reading: others may read or delete it
// meanwhile, not write it.
bool ReadBlock(const std::string& hostPath, std::vector<BYTE>* block) {
    std::shared_ptr<FileObject> file = FileObject::Open(
        hostPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, OPEN_EXISTING, 0);
    if (!file)
        return false;
    PeImageFile image;
    DWORD error = image.Open(file->Descriptor());
    if (error == ERROR_SUCCESS)
        error = PeVersionResource::Read(image, block);
    if (error != ERROR_SUCCESS)
        return HostPath::Fail(error);
    return true;
}

template <typename Char> DWORD InfoSize(const Char* path, LPDWORD handle) {
    if (handle)
        *handle = 0;
    std::string host;
    std::vector<BYTE> block;
    if (!HostPath::From(path, &host) || !ReadBlock(host, &block))
        return 0;
    return static_cast<DWORD>(VersionBlock::BufferSize(block.size()));
}

template <typename Char> BOOL CopyInfo(const Char* path, DWORD size, LPVOID data) {
    std::string host;
    std::vector<BYTE> block;
    if (!data)
        return HostPath::Fail(ERROR_INVALID_PARAMETER);
    if (!HostPath::From(path, &host) || !ReadBlock(host, &block))
        return FALSE;
    if (size < VersionBlock::BufferSize(block.size()))
        return HostPath::Fail(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(data, block.data(), block.size());
    VersionBlock::AddRoom(static_cast<BYTE*>(data));
    return TRUE;
}

// The ANSI form of a text of the block, written to its place in the room.
// The room holds every text's ANSI form in the code pages of the machine;
// the cut only guards against one whose characters would take more.
BOOL AnsiText(const BYTE* block, const VersionBlock::Value& value, std::size_t blockLength,
              LPVOID* buffer, PUINT length) {
    BYTE* room = VersionBlock::Room(block);
    if (!room)
        return HostPath::Fail(ERROR_INSUFFICIENT_BUFFER);
    std::u16string wide;
    for (std::size_t at = value.offset; at < value.offset + value.bytes; at += 2)
        wide.push_back(static_cast<char16_t>(LittleEndian::Word(block + at)));
    UINT codePage = CodePageConverter::Resolve(CP_ACP);
    std::string ansi;
    bool usedDefault = false;
    CodePageConverter::FromUtf16(codePage, wide.data(), wide.size(), &ansi, nullptr, &usedDefault);
    std::size_t fits = blockLength - value.offset - 1;
    ansi.resize(CodePageConverter::CutLength(codePage, ansi, fits));
    std::memcpy(room + value.offset, ansi.c_str(), ansi.size() + 1);
    *buffer = room + value.offset;
    *length = static_cast<UINT>(ansi.size() + 1);
    return TRUE;
}

BOOL Query(LPCVOID block, const std::u16string& path, bool ansi, LPVOID* buffer, PUINT length) {
    const BYTE* bytes = static_cast<const BYTE*>(block);
    VersionBlock version(bytes);
    std::vector<std::u16string> names = VersionBlock::Names(path);
    VersionBlock::Value value;
    if (DWORD error = version.Find(names, &value))
        return HostPath::Fail(error);
    if (names.empty()) { // the root's value is the fixed information
        if (value.bytes < sizeof(VS_FIXEDFILEINFO) ||
            LittleEndian::Dword(bytes + value.offset) != VS_FFI_SIGNATURE)
            return HostPath::Fail(ERROR_RESOURCE_TYPE_NOT_FOUND);
        value.bytes = sizeof(VS_FIXEDFILEINFO);
    }
    if (value.text && ansi)
        return AnsiText(bytes, value, version.Length(), buffer, length);
    *buffer = const_cast<BYTE*>(bytes) + value.offset;
    *length = static_cast<UINT>(value.text ? value.bytes / 2 + 1 : value.bytes);
    return TRUE;
}

} // namespace

DWORD GetFileVersionInfoSizeA(LPCSTR lptstrFilename, LPDWORD lpdwHandle) {
    return InfoSize(lptstrFilename, lpdwHandle);
}

DWORD GetFileVersionInfoSizeW(LPCWSTR lptstrFilename, LPDWORD lpdwHandle) {
    return InfoSize(lptstrFilename, lpdwHandle);
}

BOOL GetFileVersionInfoA(LPCSTR lptstrFilename, DWORD, DWORD dwLen, LPVOID lpData) {
    return CopyInfo(lptstrFilename, dwLen, lpData);
}

BOOL GetFileVersionInfoW(LPCWSTR lptstrFilename, DWORD, DWORD dwLen, LPVOID lpData) {
    return CopyInfo(lptstrFilename, dwLen, lpData);
}

BOOL VerQueryValueA(LPCVOID pBlock, LPCSTR lpSubBlock, LPVOID* lplpBuffer, PUINT puLen) {
    if (!pBlock || !lpSubBlock || !lplpBuffer || !puLen)
        return HostPath::Fail(ERROR_INVALID_PARAMETER);
    std::u16string path;
    bool hadInvalid = false;
    CodePageConverter::ToUtf16(CodePageConverter::Resolve(CP_ACP), lpSubBlock,
                               std::strlen(lpSubBlock), &path, &hadInvalid);
    return Query(pBlock, path, true, lplpBuffer, puLen);
}

BOOL VerQueryValueW(LPCVOID pBlock, LPCWSTR lpSubBlock, LPVOID* lplpBuffer, PUINT puLen) {
    if (!pBlock || !lpSubBlock || !lplpBuffer || !puLen)
        return HostPath::Fail(ERROR_INVALID_PARAMETER);
    return Query(pBlock, lpSubBlock, false, lplpBuffer, puLen);
}
