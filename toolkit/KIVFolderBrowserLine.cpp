#include "toolkit/KIVFolderBrowserLine.h"

#include "toolkit/KIVFileFinder.h"
#include "toolkit/controls/KIVListBoxCtrl.h"
#include "toolkit/drawing/KIVPainter.h"

#include <algorithm>

namespace {

constexpr int kMarkSize = 9;   // the box around "+" and "-"
constexpr int kTextGap = 6;    // between the box and the name
constexpr int kMarkInset = 4;  // from the indent to the box

std::u16string NameOf(const KIVString& path) {
    const std::u16string text = static_cast<const char16_t*>(path);
    return text.substr(text.find_last_of(u"\\/") + 1);
}

std::u16string WithBackslash(const std::u16string& path) {
    return !path.empty() && path.back() == u'\\' ? path : path + u'\\';
}

// Hands the name of each sub-folder of path to take until it answers false.
template <typename Take> void ForEachFolder(const std::u16string& path, Take take) {
    KIVFileFinder finder((WithBackslash(path) + u"*").c_str());
    KIVString found;
    bool isFolder = false;
    while (finder.Next(&found, &isFolder)) {
        const std::u16string name = NameOf(found);
        if (isFolder && name != u"." && name != u".." && !take(name))
            return;
    }
}

// Stops at the first sub-folder: a branch of many files costs one listing.
bool HasSubFolder(const std::u16string& path) {
    bool found = false;
    ForEachFolder(path, [&found](const std::u16string&) {
        found = true;
        return false;
    });
    return found;
}

bool SortsBefore(const std::u16string& a, const std::u16string& b) {
    return KIVString(a.c_str()).CompareNoCase(b.c_str()) < 0;
}

} // namespace

KIVFolderBrowserLine::KIVFolderBrowserLine(KIVListBoxCtrl* owner, KIVFolderBrowserLine* parent,
                                           const std::u16string& path,
                                           const std::u16string& name)
    : KIVListBoxLine(owner, name.c_str(), false), parent_(parent), path_(path),
      depth_(parent ? parent->depth_ + 1 : 0), hasFolders_(HasSubFolder(path)) {}

// The folders of the branch in name order, without regard to case.
void KIVFolderBrowserLine::List() {
    children_.clear();
    const std::u16string base = WithBackslash(path_);
    std::vector<std::u16string> names;
    ForEachFolder(path_, [&names](const std::u16string& name) {
        names.push_back(name);
        return true;
    });
    std::sort(names.begin(), names.end(), SortsBefore);
    for (const std::u16string& name : names)
        children_.push_back(
            std::make_unique<KIVFolderBrowserLine>(GetOwner(), this, base + name, name));
    listed_ = true;
}

bool KIVFolderBrowserLine::Open() {
    if (!listed_)
        List();
    open_ = !children_.empty();
    return open_;
}

void KIVFolderBrowserLine::Forget() {
    listed_ = false;
    open_ = false;
}

KIVFolderBrowserLine* KIVFolderBrowserLine::Child(const std::u16string& name) {
    for (const auto& child : children_)
        if (child->GetText().CompareNoCase(name.c_str()) == 0)
            return child.get();
    return nullptr;
}

void KIVFolderBrowserLine::Draw(const KIVDrawBuffer& buffer, const RECT& rect,
                                const KIVListLineLook& look) {
    KIVPainter::FillRect(buffer, RECT{rect.left, rect.top, rect.right + 3, rect.bottom},
                         look.background);
    const int indent = rect.left + depth_ * kIndent + kMarkInset;
    if (MayHaveChildren())
        DrawMark(buffer, indent, rect, look.text);
    DrawLineText(buffer, GetText(), indent + kMarkSize + kTextGap, rect.right + 2, rect,
                 look.text);
}

// A square with a minus, and the plus's upright while the branch is closed.
void KIVFolderBrowserLine::DrawMark(const KIVDrawBuffer& buffer, int left, const RECT& rect,
                                    DWORD colour) const {
    const int top = rect.top + (rect.bottom - rect.top - kMarkSize) / 2;
    const int right = left + kMarkSize; // both edges exclusive
    const int bottom = top + kMarkSize;
    KIVPainter::HorizontalLine(buffer, left, right, top, colour);
    KIVPainter::HorizontalLine(buffer, left, right, bottom - 1, colour);
    KIVPainter::VerticalLine(buffer, left, top, bottom, colour);
    KIVPainter::VerticalLine(buffer, right - 1, top, bottom, colour);
    const int middle = kMarkSize / 2;
    KIVPainter::HorizontalLine(buffer, left + 2, right - 2, top + middle, colour);
    if (!open_)
        KIVPainter::VerticalLine(buffer, left + middle, top + 2, bottom - 2, colour);
}

int KIVFolderBrowserLine::Width() const {
    return depth_ * kIndent + kMarkInset + kMarkSize + kTextGap + KIVListBoxLine::Width();
}
