// The Win32 code-page conversions. CP_ACP is the machine's ANSI code page
// (1252 or 932, from the machine settings).
#include "platform/CodePageConverter.h"
#include "platform/Machine.h"
#include "platform/WinBase.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

std::size_t WideLength(LPCWSTR text) {
    std::size_t length = 0;
    while (text[length])
        ++length;
    return length;
}

// Stores a conversion result the way Windows does: a zero output size asks
// for the size needed. A too-small output fails with
// ERROR_INSUFFICIENT_BUFFER; unlike Windows, what is written then is cut
// and terminated, so that a caller that ignores the failure still holds a
// valid string.
template <typename Char>
int Deliver(const std::basic_string<Char>& result, std::size_t fits, Char* out, int outSize) {
    if (outSize == 0)
        return static_cast<int>(result.size());
    if (result.size() <= static_cast<std::size_t>(outSize)) {
        std::copy(result.begin(), result.end(), out);
        return static_cast<int>(result.size());
    }
    std::copy(result.begin(), result.begin() + static_cast<std::ptrdiff_t>(fits), out);
    out[fits] = 0;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
}

} // namespace

UINT GetACP() {
    return Machine::Current().Settings().codePage;
}

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar) {
    if (!lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
        (cchWideChar > 0 && !lpWideCharStr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::size_t size =
        cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : static_cast<std::size_t>(cbMultiByte);
    std::u16string wide;
    bool hadInvalid = false;
    if (!CodePageConverter::ToUtf16(CodePage, lpMultiByteStr, size, &wide, &hadInvalid)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (hadInvalid && (dwFlags & MB_ERR_INVALID_CHARS)) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return 0;
    }
    std::size_t fits = cchWideChar > 0 ? static_cast<std::size_t>(cchWideChar) - 1 : 0;
    if (fits > 0 && fits < wide.size() && wide[fits - 1] >= 0xD800 && wide[fits - 1] <= 0xDBFF)
        --fits; // never leave half a surrogate pair
    return Deliver(wide, fits, lpWideCharStr, cchWideChar);
}

int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                        BOOL* lpUsedDefaultChar) {
    (void)dwFlags;
    if (!lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
        (cbMultiByte > 0 && !lpMultiByteStr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::size_t size =
        cchWideChar == -1 ? WideLength(lpWideCharStr) + 1 : static_cast<std::size_t>(cchWideChar);
    std::string narrow;
    bool usedDefault = false;
    if (!CodePageConverter::FromUtf16(CodePage, lpWideCharStr, size, &narrow, lpDefaultChar,
                                      &usedDefault)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (lpUsedDefaultChar)
        *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
    std::size_t fits = 0;
    if (cbMultiByte > 0)
        fits = CodePageConverter::CutLength(CodePage, narrow,
                                            static_cast<std::size_t>(cbMultiByte) - 1);
    return Deliver(narrow, fits, lpMultiByteStr, cbMultiByte);
}
