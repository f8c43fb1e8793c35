#include "engine/RelativeFolder.h"

#include "platform/Windows.h"

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

} // namespace

bool StaysInsideFolder(const char* relative) {
    if (IsSeparator(relative[0]))
        return false;
    const char* component = relative;
    for (const char* at = relative;; ++at) {
        if (*at && IsDBCSLeadByte(static_cast<BYTE>(*at)) && at[1]) {
            ++at;
            continue;
        }
        if (*at == ':')
            return false;
        if (*at && !IsSeparator(*at))
            continue;
        if (at - component == 2 && component[0] == '.' && component[1] == '.')
            return false;
        if (!*at)
            return true;
        component = at + 1;
    }
}
