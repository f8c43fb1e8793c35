#include "toolkit/KIVNarrowText.h"

#include "platform/Windows.h"

#include <vector>

bool KIVNarrowFromWide(const char16_t* text, char* buffer, int size) {
    if (!buffer || size <= 0)
        return false;
    buffer[0] = '\0';
    if (!text || !text[0])
        return true;
    // Ask for the size first: a conversion into a buffer that is too small
    // is not relied on to stop cleanly.
    int needed = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (needed <= 0 || needed > size)
        return false;
    if (WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, size, nullptr, nullptr) <= 0) {
        buffer[0] = '\0';
        return false;
    }
    buffer[size - 1] = '\0';
    return true;
}

int KIVWideFromNarrow(const char* text, char16_t* buffer, int size) {
    if (!buffer || size <= 0)
        return 0;
    buffer[0] = u'\0';
    if (!text || !text[0])
        return 0;
    int needed = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (needed <= 0)
        return 0;
    std::vector<char16_t> wide(static_cast<size_t>(needed) + 1, u'\0');
    int made = MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), needed);
    if (made <= 0)
        return 0;
    int length = 0;
    while (length < size - 1 && length < needed && wide[length])
        ++length;
    // A cut never splits a surrogate pair: a lone half would be a broken text.
    if (length > 0 && length < needed - 1 && wide[length - 1] >= 0xD800 &&
        wide[length - 1] < 0xDC00)
        --length;
    for (int i = 0; i < length; ++i)
        buffer[i] = wide[i];
    buffer[length] = u'\0';
    return length;
}

void KIVSetTooLongError() {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
}
