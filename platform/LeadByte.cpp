// Lead bytes of the double-byte code pages, and the walk over ANSI text by characters.
#include "platform/CodePageConverter.h"
#include "platform/WinBase.h"
#include "platform/WinUser.h"

BOOL IsDBCSLeadByteEx(UINT CodePage, BYTE TestChar) {
    if (CodePageConverter::Resolve(CodePage) != 932)
        return FALSE;
    return (TestChar >= 0x81 && TestChar <= 0x9F) || (TestChar >= 0xE0 && TestChar <= 0xFC);
}

BOOL IsDBCSLeadByte(BYTE TestChar) {
    return IsDBCSLeadByteEx(CP_ACP, TestChar);
}

LPSTR CharNextExA(WORD CodePage, LPCSTR lpCurrentChar, DWORD dwFlags) {
    (void)dwFlags;
    if (!*lpCurrentChar)
        return const_cast<LPSTR>(lpCurrentChar);
    // A lead byte before the terminator is a character of its own: the walk
    // never steps over the end of the text.
    const bool lead =
        IsDBCSLeadByteEx(CodePage, static_cast<BYTE>(*lpCurrentChar)) && lpCurrentChar[1] != '\0';
    return const_cast<LPSTR>(lpCurrentChar + (lead ? 2 : 1));
}

LPSTR CharPrevExA(WORD CodePage, LPCSTR lpStart, LPCSTR lpCurrentChar, DWORD dwFlags) {
    // Only a walk from the start tells a trail byte from a character.
    LPCSTR previous = lpStart;
    for (LPCSTR at = lpStart; at < lpCurrentChar;) {
        previous = at;
        LPCSTR next = CharNextExA(CodePage, at, dwFlags);
        if (next == at)
            break;
        at = next;
    }
    return const_cast<LPSTR>(previous);
}

LPSTR CharNextA(LPCSTR lpsz) {
    return CharNextExA(CP_ACP, lpsz, 0);
}

LPSTR CharPrevA(LPCSTR lpszStart, LPCSTR lpszCurrent) {
    return CharPrevExA(CP_ACP, lpszStart, lpszCurrent, 0);
}
