#include "engine/ShortcutName.h"

#include "toolkit/KIVString.h"

bool IsPlainName(const KIVString& name) {
    if (name.IsEmpty() || name == u"." || name == u"..")
        return false;
    for (int i = 0; i < name.GetLength(); ++i) {
        const char16_t c = name.GetAt(i);
        if (c == u'\\' || c == u'/' || c == u':')
            return false;
    }
    return true;
}

bool IsInnerPath(const KIVString& path) {
    int start = 0;
    for (int i = 0; i <= path.GetLength(); ++i) {
        if (i < path.GetLength() && path.GetAt(i) != u'\\')
            continue;
        if (!IsPlainName(path.Mid(start, i - start)))
            return false;
        start = i + 1;
    }
    return true;
}
