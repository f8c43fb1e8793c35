#include "wizard/CDirDialog.h"

#include "toolkit/KIVAnsiName.h"
#include "toolkit/KIVString.h"

namespace {

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The desktop folder's item list of a folder path; null when it has none.
LPITEMIDLIST ResolveRoot(const std::string& root) {
    IShellFolder* desktop = nullptr;
    if (SHGetDesktopFolder(&desktop) != S_OK)
        return nullptr;
    std::u16string wide = static_cast<const char16_t*>(KIVString(root.c_str()));
    LPITEMIDLIST item = nullptr;
    if (desktop->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &item, nullptr) != S_OK)
        item = nullptr;
    desktop->Release();
    return item;
}

} // namespace

CDirDialog::CDirDialog() = default;
CDirDialog::~CDirDialog() = default;

bool CDirDialog::CheckSelection(const char*, std::string*) {
    return true;
}

void CDirDialog::TrimInitialFolder() {
    while (!initialFolder_.empty() && IsWhiteSpace(initialFolder_.back()))
        initialFolder_.pop_back();
    if (KIVAnsiName::EndsInSeparator(initialFolder_))
        initialFolder_.pop_back();
}

bool CDirDialog::Run(HWND owner) {
    if (!initialFolder_.empty())
        TrimInitialFolder();
    IMalloc* malloc = nullptr;
    if (SHGetMalloc(&malloc) != S_OK || !malloc)
        return false;
    LPITEMIDLIST root = nullptr;
    if (!root_.empty() && !(root = ResolveRoot(root_))) {
        malloc->Release();
        return false;
    }
    const bool chosen = Browse(owner, malloc, root);
    if (root)
        malloc->Free(root);
    malloc->Release();
    return chosen;
}

bool CDirDialog::Browse(HWND owner, IMalloc* malloc, LPITEMIDLIST root) {
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pidlRoot = root;
    info.pszDisplayName = path_;
    info.lpszTitle = instruction_.c_str();
    info.ulFlags = kFlags | (statusLine_ ? BIF_STATUSTEXT : 0);
    info.lpfn = &BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(this);
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    if (!item)
        return false;
    image_ = info.iImage;
    const bool converted = SHGetPathFromIDListA(item, path_);
    malloc->Free(item);
    return converted;
}

int CDirDialog::BrowseCallback(HWND hwnd, UINT message, LPARAM lParam, LPARAM data) {
    auto* dialog = reinterpret_cast<CDirDialog*>(data);
    if (message == BFFM_INITIALIZED)
        dialog->OnInitialized(hwnd);
    else if (message == BFFM_SELCHANGED)
        dialog->OnSelectionChanged(hwnd, reinterpret_cast<LPCITEMIDLIST>(lParam));
    return 0;
}

void CDirDialog::OnInitialized(HWND hwnd) {
    if (!initialFolder_.empty())
        ::SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE,
                       reinterpret_cast<LPARAM>(initialFolder_.c_str()));
    if (!caption_.empty())
        ::SetWindowTextA(hwnd, caption_.c_str());
}

void CDirDialog::OnSelectionChanged(HWND hwnd, LPCITEMIDLIST item) {
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(item, path))
        path[0] = '\0';
    std::string status;
    const bool allowed = CheckSelection(path, &status);
    if (statusLine_)
        ::SendMessageA(hwnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(status.c_str()));
    ::SendMessageA(hwnd, BFFM_ENABLEOK, 0, allowed ? 1 : 0);
}
