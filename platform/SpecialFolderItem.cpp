// Item identifier lists of the special folders, and SHGetSpecialFolderLocation
// which hands them out.
#include "platform/SpecialFolderItem.h"

#include "platform/HostText.h"
#include "platform/LittleEndian.h"
#include "platform/Machine.h"

#include <cstring>

namespace SpecialFolderItem {
namespace {

constexpr BYTE kSpecialSignature[4] = {'K', 'I', 'V', 'F'};
constexpr BYTE kFileSystemSignature[4] = {'K', 'I', 'V', 'P'};
constexpr std::size_t kSignatureSize = sizeof kSpecialSignature;
constexpr std::size_t kFixed = 2 + kSignatureSize; // cb and signature

bool KnownSignature(const BYTE* signature) {
    return std::memcmp(signature, kSpecialSignature, kSignatureSize) == 0 ||
           std::memcmp(signature, kFileSystemSignature, kSignatureSize) == 0;
}

} // namespace

LPITEMIDLIST Make(const std::u16string& path, Kind kind) {
    const std::size_t itemSize = kFixed + 2 * path.size();
    if (itemSize > 0xFFFF)
        return nullptr;
    IMalloc* malloc = nullptr;
    SHGetMalloc(&malloc);
    BYTE* bytes = static_cast<BYTE*>(malloc->Alloc(itemSize + 2));
    if (!bytes)
        return nullptr;
    bytes[0] = static_cast<BYTE>(itemSize);
    bytes[1] = static_cast<BYTE>(itemSize >> 8);
    std::memcpy(bytes + 2, kind == Kind::SpecialFolder ? kSpecialSignature : kFileSystemSignature,
                kSignatureSize);
    for (std::size_t i = 0; i < path.size(); ++i) {
        bytes[kFixed + 2 * i] = static_cast<BYTE>(path[i]);
        bytes[kFixed + 2 * i + 1] = static_cast<BYTE>(path[i] >> 8);
    }
    bytes[itemSize] = bytes[itemSize + 1] = 0;
    return reinterpret_cast<LPITEMIDLIST>(bytes);
}

bool Path(LPCITEMIDLIST pidl, std::u16string* path) {
    if (!pidl)
        return false;
    const BYTE* bytes = reinterpret_cast<const BYTE*>(pidl);
    const std::size_t itemSize = LittleEndian::Word(bytes);
    if (itemSize < kFixed || (itemSize - kFixed) % 2 ||
        !KnownSignature(bytes + 2) ||
        LittleEndian::Word(bytes + itemSize) != 0)
        return false;
    path->clear();
    for (std::size_t i = kFixed; i < itemSize; i += 2)
        path->push_back(static_cast<char16_t>(LittleEndian::Word(bytes + i)));
    return true;
}

std::u16string DisplayName(const std::u16string& path) {
    std::u16string name = path;
    while (name.size() > 3 && (name.back() == u'\\' || name.back() == u'/'))
        name.pop_back();
    if (name.size() <= 3 && name.size() >= 2 && name[1] == u':')
        return name.substr(0, 2);
    const std::size_t slash = name.find_last_of(u"\\/");
    return slash == std::u16string::npos ? name : name.substr(slash + 1);
}

} // namespace SpecialFolderItem

namespace {

bool FolderPath(int nFolder, std::string* path) {
    switch (nFolder) {
    case CSIDL_PROGRAMS:
        *path = MachineFolders::UserPrograms();
        return true;
    case CSIDL_STARTUP:
        *path = MachineFolders::UserStartup();
        return true;
    case CSIDL_COMMON_PROGRAMS:
        *path = MachineFolders::CommonPrograms();
        return true;
    case CSIDL_COMMON_STARTUP:
        *path = MachineFolders::CommonStartup();
        return true;
    default:
        return false;
    }
}

} // namespace

HRESULT SHGetSpecialFolderLocation(HWND, int nFolder, LPITEMIDLIST* ppidl) {
    if (!ppidl)
        return E_INVALIDARG;
    *ppidl = nullptr;
    std::string path;
    if (!FolderPath(nFolder, &path))
        return E_INVALIDARG;
    *ppidl = SpecialFolderItem::Make(HostText::ToWide(path));
    return *ppidl ? S_OK : E_OUTOFMEMORY;
}
