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
