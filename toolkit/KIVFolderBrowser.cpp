#include "toolkit/KIVFolderBrowser.h"

#include "toolkit/KIVApplication.h"
#include "toolkit/KIVFolderBrowserTree.h"

namespace {

bool HasDrive(const std::u16string& path) {
    return path.size() >= 3 && path[1] == u':' && (path[2] == u'\\' || path[2] == u'/');
}

std::u16string Trimmed(const char16_t* text) {
    std::u16string trimmed = text ? text : u"";
    const std::size_t first = trimmed.find_first_not_of(u" \t");
    trimmed.erase(0, first == std::u16string::npos ? trimmed.size() : first);
    while (!trimmed.empty() && (trimmed.back() == u' ' || trimmed.back() == u'\t'))
        trimmed.pop_back();
    // "C:" is the drive's root; "C:\Maker\" is the folder "C:\Maker"; "C:\"
    // stays the drive's root.
    if (trimmed.size() == 2 && trimmed[1] == u':')
        trimmed += u'\\';
    while (trimmed.size() > 3 && (trimmed.back() == u'\\' || trimmed.back() == u'/'))
        trimmed.pop_back();
    return trimmed;
}

std::u16string FromAnsi(LPCSTR text) {
    return text ? std::u16string(static_cast<const char16_t*>(KIVString(text))) : u"";
}

} // namespace

KIVFolderBrowser::KIVFolderBrowser(const FolderBrowseRequest& request)
    : KIVDialog(CWnd::FromHandlePermanent(request.info->hwndOwner), -1), request_(request) {}

bool KIVFolderBrowser::Browse(const FolderBrowseRequest& request, std::u16string* chosen) {
    if (!KIVApplication::Get() || !request.info)
        return false;
    KIVFolderBrowser browser(request);
    return browser.Run(chosen);
}

bool KIVFolderBrowser::Run(std::u16string* chosen) {
    chosen_.clear();
    told_.clear();
    okEnabled_ = true;
    if (DoModal(WS_POPUP, 0) != kOK || chosen_.empty())
        return false;
    if (chosen)
        *chosen = chosen_;
    return true;
}

KIVFolderBrowserTree* KIVFolderBrowser::Tree() const {
    return static_cast<KIVFolderBrowserTree*>(GetControl(kTreeId));
}

int KIVFolderBrowser::Callback(UINT message, LPARAM lParam) const {
    const BFFCALLBACK callback = request_.info->lpfn;
    return callback ? callback(m_hWnd, message, lParam, request_.info->lParam) : 0;
}

void KIVFolderBrowser::SelectionChanged() {
    const std::u16string path = Tree()->SelectedPath();
    if (KIVControl* field = GetControl(kPathId))
        field->SetText(path.c_str());
    if (path == told_)
        return;
    told_ = path;
    LPITEMIDLIST item = ILCreateFromPathW(path.c_str());
    Callback(BFFM_SELCHANGED, reinterpret_cast<LPARAM>(item));
    ILFree(item);
}

void KIVFolderBrowser::SetStatusText(const char16_t* text) {
    if (KIVControl* status = GetControl(kStatusId))
        status->SetText(text ? text : u"");
}

void KIVFolderBrowser::EnableOK(bool enable) {
    okEnabled_ = enable;
    if (KIVControl* ok = GetControl(IDOK))
        ok->Enable(enable);
}

bool KIVFolderBrowser::SelectFolder(const std::u16string& path) {
    KIVFolderBrowserTree* tree = Tree();
    const bool found = tree && tree->SelectPath(path);
    if (tree)
        SelectionChanged();
    return found;
}

LRESULT KIVFolderBrowser::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case BFFM_SETSTATUSTEXTA:
        SetStatusText(FromAnsi(reinterpret_cast<LPCSTR>(lParam)).c_str());
        return 0;
    case BFFM_ENABLEOK:
        EnableOK(lParam != 0);
        return 0;
    case BFFM_SETSELECTIONA: {
        if (wParam)
            return SelectFolder(FromAnsi(reinterpret_cast<LPCSTR>(lParam)));
        char path[MAX_PATH] = {};
        return SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), path) &&
               SelectFolder(FromAnsi(path));
    }
    default:
        return KIVDialog::WindowProc(message, wParam, lParam);
    }
}

std::u16string KIVFolderBrowser::FolderToChoose() const {
    const std::u16string selected = Tree()->SelectedPath();
    const KIVControl* field = GetControl(kPathId);
    const std::u16string typed = field && Has(BIF_EDITBOX) ? Trimmed(field->GetText()) : u"";
    if (typed.empty() || HasDrive(typed))
        return typed.empty() ? selected : typed;
    if (selected.empty())
        return u"";
    return selected + (selected.back() == u'\\' ? u"" : u"\\") + typed;
}

// A typed path too long for a folder path keeps the browser open: the
// shell could not hand it back, and the caller would take it for Cancel.
void KIVFolderBrowser::OnOK() {
    if (!okEnabled_)
        return;
    chosen_ = FolderToChoose();
    if (chosen_.size() >= MAX_PATH)
        chosen_.clear();
    if (!chosen_.empty())
        EndDialog(kOK);
}

void KIVFolderBrowser::OnControlNotify(int kind, int id, int value, bool flag) {
    if (id == kTreeId && kind == KIVListBoxCtrl::kNotifySelection)
        SelectionChanged();
    else if (id == kNewFolderId && kind == KIVControl::kNotifyClicked)
        MakeNewFolder();
    else
        KIVDialog::OnControlNotify(kind, id, value, flag);
}
