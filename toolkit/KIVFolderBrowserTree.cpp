#include "toolkit/KIVFolderBrowserTree.h"

#include "platform/WinBase.h"

namespace {

// "C:\Program Files\Maker" gives "C:", "Program Files", "Maker".
std::vector<std::u16string> Components(const std::u16string& path) {
    std::vector<std::u16string> parts;
    std::u16string part;
    for (char16_t c : path) {
        if (c == u'\\' || c == u'/') {
            if (!part.empty())
                parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty())
        parts.push_back(part);
    return parts;
}

} // namespace

KIVFolderBrowserTree::KIVFolderBrowserTree(KIVDialog* dialog, LONG id, const RECT& rect,
                                           LONG fontId)
    : KIVListBoxCtrl(dialog, id, rect, fontId, 0, 0) {}

void KIVFolderBrowserTree::ShowRoots(const std::u16string& root) {
    roots_.clear();
    if (!root.empty()) {
        std::u16string name = root;
        while (name.size() > 3 && (name.back() == u'\\' || name.back() == u'/'))
            name.pop_back();
        roots_.push_back(std::make_unique<KIVFolderBrowserLine>(this, nullptr, name, name));
        roots_.front()->Open(); // one folder at the top shows what it holds
    } else {
        const DWORD drives = ::GetLogicalDrives();
        for (char16_t letter = u'A'; letter <= u'Z'; ++letter)
            if (drives & (1u << (letter - u'A')))
                roots_.push_back(std::make_unique<KIVFolderBrowserLine>(
                    this, nullptr, std::u16string{letter, u':', u'\\'},
                    std::u16string{letter, u':'}));
    }
    Rebuild(nullptr);
}

void KIVFolderBrowserTree::AddVisible(KIVFolderBrowserLine* line) {
    AddLine(line);
    if (line->IsOpen())
        for (const auto& child : line->Children())
            AddVisible(child.get());
}

void KIVFolderBrowserTree::Rebuild(KIVFolderBrowserLine* select) {
    RemoveAllLines();
    for (const auto& root : roots_)
        AddVisible(root.get());
    const int index = IndexOf(select);
    if (index >= 0) {
        Select(index);
        EnsureVisible(index);
    }
    RedrawAllLines();
}

int KIVFolderBrowserTree::IndexOf(const KIVFolderBrowserLine* line) const {
    for (int i = 0; line && i < GetLineCount(); ++i)
        if (GetLine(i) == line)
            return i;
    return -1;
}

KIVFolderBrowserLine* KIVFolderBrowserTree::Selected() const {
    return static_cast<KIVFolderBrowserLine*>(GetLine(GetCurrentLine()));
}

std::u16string KIVFolderBrowserTree::SelectedPath() const {
    const KIVFolderBrowserLine* line = Selected();
    return line ? line->Path() : std::u16string();
}

void KIVFolderBrowserTree::OpenBranch(KIVFolderBrowserLine* line) {
    if (line && !line->IsOpen() && line->Open())
        Rebuild(Selected());
    else if (line)
        RedrawAllLines(); // the mark goes when the branch turned out empty
}

void KIVFolderBrowserTree::CloseBranch(KIVFolderBrowserLine* line) {
    if (!line || !line->IsOpen())
        return;
    line->Close();
    // A selection inside the closed branch moves up to the branch.
    KIVFolderBrowserLine* selected = Selected();
    for (KIVFolderBrowserLine* up = selected; up; up = up->Parent())
        if (up->Parent() == line)
            selected = line;
    Rebuild(selected);
}

// A root folder other than a drive is matched by its whole path.
bool KIVFolderBrowserTree::SelectPath(const std::u16string& path) {
    const std::vector<std::u16string> parts = Components(path);
    if (parts.empty())
        return false;
    KIVFolderBrowserLine* line = nullptr;
    std::size_t matched = 0;
    for (const auto& root : roots_) {
        const std::vector<std::u16string> own = Components(root->Path());
        bool prefix = own.size() <= parts.size();
        for (std::size_t i = 0; prefix && i < own.size(); ++i)
            prefix = KIVString(own[i].c_str()).CompareNoCase(parts[i].c_str()) == 0;
        if (prefix && own.size() > matched) {
            line = root.get();
            matched = own.size();
        }
    }
    for (; line && matched < parts.size(); ++matched) {
        line->Open();
        KIVFolderBrowserLine* child = line->Child(parts[matched]);
        if (!child)
            break;
        line = child;
    }
    if (!line)
        return false;
    Rebuild(line);
    return matched == parts.size();
}

bool KIVFolderBrowserTree::RefreshAndSelectChild(const std::u16string& name) {
    KIVFolderBrowserLine* line = Selected();
    if (!line)
        return false;
    line->Forget();
    line->Open();
    KIVFolderBrowserLine* child = line->Child(name);
    Rebuild(child ? child : line);
    return child != nullptr;
}

bool KIVFolderBrowserTree::OpenOrEnter() {
    KIVFolderBrowserLine* line = Selected();
    if (!line)
        return false;
    if (!line->IsOpen())
        OpenBranch(line);
    else if (!line->Children().empty())
        Rebuild(line->Children().front().get());
    return true;
}

bool KIVFolderBrowserTree::CloseOrLeave() {
    KIVFolderBrowserLine* line = Selected();
    if (!line)
        return false;
    if (line->IsOpen())
        CloseBranch(line);
    else if (line->Parent())
        Rebuild(line->Parent());
    return true;
}

bool KIVFolderBrowserTree::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    switch (key) {
    case VK_RIGHT:
        OpenOrEnter();
        return false;
    case VK_LEFT:
        CloseOrLeave();
        return false;
    case VK_ADD:
        OpenBranch(Selected());
        return false;
    case VK_SUBTRACT:
        CloseBranch(Selected());
        return false;
    default:
        return KIVListBoxCtrl::OnKeyDown(key, repeat, flags);
    }
}

// "+" and "-" typed on the main keyboard.
bool KIVFolderBrowserTree::OnChar(UINT ch, UINT repeat, UINT flags) {
    if (ch == u'+')
        OpenBranch(Selected());
    else if (ch == u'-')
        CloseBranch(Selected());
    else
        return KIVListBoxCtrl::OnChar(ch, repeat, flags);
    return false;
}

bool KIVFolderBrowserTree::OnDoubleClick(POINT point, UINT flags) {
    KIVListBoxCtrl::OnDoubleClick(point, flags);
    const int index = LineAt(point);
    auto* line = static_cast<KIVFolderBrowserLine*>(GetLine(index));
    if (line && line == Selected()) {
        if (line->IsOpen())
            CloseBranch(line);
        else
            OpenBranch(line);
    }
    return false;
}
