#include "engine/CreateShellLink.h"

#include "platform/ShlObj.h"

namespace {

bool SaveLink(IShellLinkA* link, IPersistFile* file, const char* targetPath,
              const char16_t* linkPath, const char* description) {
    return SUCCEEDED(link->SetPath(targetPath)) && SUCCEEDED(link->SetDescription(description)) &&
           SUCCEEDED(file->Save(linkPath, TRUE));
}

} // namespace

bool CreateShellLink(const char* targetPath, const char16_t* linkPath, const char* description) {
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return false;
    IPersistFile* file = nullptr;
    bool saved = false;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        saved = SaveLink(link, file, targetPath, linkPath, description);
        file->Release();
    }
    link->Release();
    return saved;
}
