// Window classes: a window procedure and a cursor under a name.
#include "platform/HostText.h"
#include "platform/WinBase.h"
#include "platform/ui/UiState.h"

namespace {

std::u16string Key(std::u16string name) {
    for (char16_t& c : name)
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
    return name;
}

ATOM Register(const std::u16string& name, WNDPROC proc, HCURSOR cursor, UINT style) {
    if (!proc || name.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    UiLock lock(Ui().lock);
    auto [entry, added] = Ui().classes.emplace(Key(name), WindowClass{proc, cursor, 0, style});
    if (!added) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    entry->second.atom = Ui().nextAtom++;
    return entry->second.atom;
}

} // namespace

ATOM RegisterClassA(const WNDCLASSA* lpWndClass) {
    if (!lpWndClass || !lpWndClass->lpszClassName)
        return Register(u"", nullptr, nullptr, 0);
    return Register(HostText::ToWide(HostText::FromAnsi(lpWndClass->lpszClassName)),
                    lpWndClass->lpfnWndProc, lpWndClass->hCursor, lpWndClass->style);
}

ATOM RegisterClassW(const WNDCLASSW* lpWndClass) {
    if (!lpWndClass || !lpWndClass->lpszClassName)
        return Register(u"", nullptr, nullptr, 0);
    return Register(lpWndClass->lpszClassName, lpWndClass->lpfnWndProc, lpWndClass->hCursor,
                    lpWndClass->style);
}

// The class of a name or an atom (MAKEINTATOM); null when none.
const WindowClass* FindWindowClass(LPCWSTR name) {
    if (IS_INTRESOURCE(name)) {
        const ATOM atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name));
        for (const auto& [key, windowClass] : Ui().classes)
            if (windowClass.atom == atom)
                return &windowClass;
        return nullptr;
    }
    auto found = Ui().classes.find(Key(name));
    return found == Ui().classes.end() ? nullptr : &found->second;
}
