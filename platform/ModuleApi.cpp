// Library loading (dlopen of the mapped path) and module file names. A loaded
// library is held open for reading without write or delete sharing, as
// Windows holds an image: replacing or deleting it fails while it is loaded.
#include "platform/CodePageConverter.h"
#include "platform/FileObject.h"
#include "platform/HostPath.h"
#include "platform/HostText.h"
#include "platform/KernelObject.h"
#include "platform/Machine.h"
#include "platform/PathMap.h"
#include "platform/WinBase.h"

#include <dlfcn.h>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

class ModuleObject : public KernelObject {
public:
    ModuleObject(void* library, const std::string& hostPath, std::shared_ptr<FileObject> hold)
        : library_(library), hostPath_(hostPath), hold_(std::move(hold)) {}
    ~ModuleObject() override { dlclose(library_); }
    bool ClosedByCloseHandle() const override { return false; }
    const std::string& HostPath() const { return hostPath_; }
    int references = 1;

private:
    void* library_;
    std::string hostPath_;
    std::shared_ptr<FileObject> hold_; // keeps the file in use while loaded
};

std::mutex moduleLock;
std::map<std::string, HANDLE>& Loaded() {
    static auto* loaded = new std::map<std::string, HANDLE>;
    return *loaded;
}

std::string ProgramHostPath() {
    return Machine::ProgramPath();
}

bool IsFile(const std::string& host) {
    struct stat info;
    return stat(host.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// A bare name is looked for as Windows looks: the program's folder, the
// system folder, the Windows folder, then the current folder. A name without
// an extension gets ".dll".
bool FindLibrary(std::string name, std::string* host) {
    if (HostPath::LastComponent(name).find('.') == std::string::npos)
        name += ".dll";
    unsigned error = 0;
    if (name.find_first_of("\\/:") != std::string::npos)
        return PathMap::ToHost(name, host, &error) && IsFile(*host);
    std::vector<std::string> folders = {PathMap::ToWindows(HostPath::Parent(ProgramHostPath())),
                                        MachineFolders::System(), MachineFolders::Windows(), "."};
    for (const std::string& folder : folders)
        if (PathMap::ToHost(folder + "\\" + name, host, &error) && IsFile(*host))
            return true;
    return false;
}

HMODULE Load(const std::string& name) {
    std::string host;
    if (!FindLibrary(name, &host)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(moduleLock);
    if (auto found = Loaded().find(host); found != Loaded().end()) {
        KernelObject::LookupAs<ModuleObject>(found->second)->references++;
        return found->second;
    }
    std::shared_ptr<FileObject> hold =
        FileObject::Open(host, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, 0);
    if (!hold)
        return nullptr;
    void* library = dlopen(host.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        SetLastError(ERROR_BAD_EXE_FORMAT);
        return nullptr;
    }
    HANDLE handle =
        KernelObject::Insert(std::make_shared<ModuleObject>(library, host, std::move(hold)));
    Loaded()[host] = handle;
    return handle;
}

template <typename Char>
DWORD ReturnCut(const std::basic_string<Char>& text, std::size_t cut, Char* buffer, DWORD size) {
    if (!buffer || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (text.size() < size) {
        std::copy(text.begin(), text.end(), buffer);
        buffer[text.size()] = 0;
        SetLastError(ERROR_SUCCESS);
        return static_cast<DWORD>(text.size());
    }
    std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(cut), buffer);
    buffer[cut] = 0;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
}

bool ModulePath(HMODULE module, std::string* windowsPath) {
    if (!module) {
        *windowsPath = PathMap::ToWindows(ProgramHostPath());
        return true;
    }
    std::shared_ptr<ModuleObject> loaded = KernelObject::LookupAs<ModuleObject>(module);
    if (!loaded) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return false;
    }
    *windowsPath = PathMap::ToWindows(loaded->HostPath());
    return true;
}

} // namespace

HMODULE LoadLibraryW(LPCWSTR lpLibFileName) {
    if (!lpLibFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return Load(HostText::FromWide(lpLibFileName));
}

HMODULE LoadLibraryA(LPCSTR lpLibFileName) {
    if (!lpLibFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return Load(HostText::FromAnsi(lpLibFileName));
}

BOOL FreeLibrary(HMODULE hLibModule) {
    std::lock_guard<std::mutex> lock(moduleLock);
    std::shared_ptr<ModuleObject> module = KernelObject::LookupAs<ModuleObject>(hLibModule);
    if (!module)
        return HostPath::Fail(ERROR_INVALID_HANDLE);
    if (--module->references == 0) {
        Loaded().erase(module->HostPath());
        KernelObject::Remove(hLibModule);
    }
    return TRUE;
}

// A name longer than the buffer is cut to size - 1 characters and
// terminated; the result is then size, with ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize) {
    std::string path;
    if (!ModulePath(hModule, &path))
        return 0;
    std::u16string wide = HostText::ToWide(path);
    std::size_t cut = nSize ? std::min<std::size_t>(wide.size(), nSize - 1) : 0;
    if (cut > 0 && cut < wide.size() && wide[cut - 1] >= 0xD800 && wide[cut - 1] <= 0xDBFF)
        --cut;
    return ReturnCut(wide, cut, lpFilename, nSize);
}

DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
    std::string path;
    if (!ModulePath(hModule, &path))
        return 0;
    std::string narrow = HostText::ToAnsi(path);
    std::size_t cut = nSize ? CodePageConverter::CutLength(CP_ACP, narrow, nSize - 1) : 0;
    return ReturnCut(narrow, cut, lpFilename, nSize);
}
