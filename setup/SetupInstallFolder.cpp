#include "setup/SetupInstallFolder.h"

#include "platform/Windows.h"

#include <string_view>

namespace {

bool IsSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

bool IsLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

char16_t Upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool HasDotComponent(std::u16string_view path) {
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !IsSeparator(path[end]))
            ++end;
        std::u16string_view name = path.substr(start, end - start);
        if (name == u"." || name == u"..")
            return true;
        start = end + 1;
    }
    return false;
}

bool Refuse(std::string* reason, const char* text) {
    *reason = text;
    return false;
}

} // namespace

bool IsInstallFolderPath(const char16_t* folder, std::string* reason) {
    const std::u16string_view path(folder ? folder : u"");
    if (path.size() < 3 || !IsLetter(path[0]) || path[1] != u':' || !IsSeparator(path[2]))
        return Refuse(reason, "it is not an absolute path with a drive (such as "
                              "C:\\Program Files\\Product)");
    const char16_t drive = Upper(path[0]);
    if (drive == u'Z')
        return Refuse(reason, "drive Z: is the host outside the machine, which a setup "
                              "does not write");
    if (!(GetLogicalDrives() & (1u << (drive - u'A'))))
        return Refuse(reason, "the machine has no such drive");
    if (path.size() > MAX_PATH - 1)
        return Refuse(reason, "it is longer than 259 characters");
    if (HasDotComponent(path.substr(3)))
        return Refuse(reason, "it has a \".\" or \"..\" component");
    return true;
}
