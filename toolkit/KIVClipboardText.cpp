#include "toolkit/KIVClipboardText.h"

#include "platform/WinBase.h"

#include <algorithm>
#include <cstring>
#include <string>

bool KIVPutClipboardText(HWND owner, const char16_t* text, int count) {
    if (!::OpenClipboard(owner))
        return false;
    const SIZE_T bytes = (static_cast<SIZE_T>(count) + 1) * sizeof(char16_t);
    HGLOBAL block = ::EmptyClipboard() ? ::GlobalAlloc(GMEM_MOVEABLE, bytes) : nullptr;
    auto* units = block ? static_cast<char16_t*>(::GlobalLock(block)) : nullptr;
    if (units) {
        std::memcpy(units, text, bytes - sizeof(char16_t));
        units[count] = u'\0';
        ::GlobalUnlock(block);
    }
    const bool put = units && ::SetClipboardData(CF_UNICODETEXT, block);
    if (block && !put)
        ::GlobalFree(block);
    ::CloseClipboard();
    return put;
}

bool KIVGetClipboardText(HWND owner, KIVString* text) {
    if (!::OpenClipboard(owner))
        return false;
    HANDLE block = ::GetClipboardData(CF_UNICODETEXT);
    const auto* units = block ? static_cast<const char16_t*>(::GlobalLock(block)) : nullptr;
    if (units) {
        const SIZE_T limit = ::GlobalSize(block) / sizeof(char16_t);
        const SIZE_T count = std::find(units, units + limit, u'\0') - units;
        *text = std::u16string(units, count).c_str();
        ::GlobalUnlock(block);
    }
    ::CloseClipboard();
    return units != nullptr;
}
