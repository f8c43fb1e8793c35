// New folders made from the browser: "New folder", then "New folder (2)",
// "New folder (3)", ... until a name is free.
#include "toolkit/KIVFolderBrowser.h"
#include "toolkit/KIVFolderBrowserTree.h"
#include "toolkit/KIVSystem.h"

#include <algorithm>
#include <string>

namespace {

constexpr int kMaxAttempts = 1000;

// The name comes from the language resources: it must stay one plain
// component of the selected folder.
bool IsPlainName(const std::u16string& name) {
    if (name.empty() || name == u"." || name == u".." || name.back() == u' ' ||
        name.back() == u'.')
        return false;
    return name.find_first_of(u"\\/:*?\"<>|") == std::u16string::npos &&
           std::none_of(name.begin(), name.end(), [](char16_t c) { return c < 0x20; });
}

} // namespace

std::u16string KIVFolderBrowser::NewFolderName() const {
    const KIVString text = Text(kNewFolderNameText, u"New folder");
    const std::u16string name = static_cast<const char16_t*>(text);
    return IsPlainName(name) ? name : u"New folder";
}

bool KIVFolderBrowser::MakeNewFolder() {
    std::u16string parent = Tree()->SelectedPath();
    if (parent.empty())
        return false;
    if (parent.back() != u'\\')
        parent += u'\\';
    const std::u16string base = NewFolderName();
    for (int n = 1; n <= kMaxAttempts; ++n) {
        std::u16string name = base;
        if (n > 1)
            for (char c : " (" + std::to_string(n) + ")")
                name += static_cast<char16_t>(c);
        if (KIVCreateDirectory((parent + name).c_str()))
            return Tree()->RefreshAndSelectChild(name);
        if (::GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return false;
}
