#include "engine/MemberName.h"

namespace {
bool IsSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

// A component such as "..", "..." or ". ." names the parent once Windows has
// trimmed its trailing dots and spaces.
bool IsParentComponent(const char16_t* begin, const char16_t* end) {
    int dots = 0;
    for (const char16_t* p = begin; p != end; ++p) {
        if (*p == u'.')
            dots++;
        else if (*p != u' ')
            return false;
    }
    return dots >= 2;
}
} // namespace

bool IsSafeMemberName(const char16_t* name) {
    if (!name || !*name || IsSeparator(name[0]))
        return false;
    const char16_t* component = name;
    for (const char16_t* p = name;; ++p) {
        if (*p == u':')
            return false;
        if (*p == 0 || IsSeparator(*p)) {
            if (IsParentComponent(component, p))
                return false;
            if (*p == 0)
                return true;
            component = p + 1;
        }
    }
}
