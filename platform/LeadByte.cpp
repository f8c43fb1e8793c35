// Lead bytes of the double-byte code pages.
#include "platform/CodePageConverter.h"
#include "platform/WinBase.h"

BOOL IsDBCSLeadByteEx(UINT CodePage, BYTE TestChar) {
    if (CodePageConverter::Resolve(CodePage) != 932)
        return FALSE;
    return (TestChar >= 0x81 && TestChar <= 0x9F) || (TestChar >= 0xE0 && TestChar <= 0xFC);
}

BOOL IsDBCSLeadByte(BYTE TestChar) {
    return IsDBCSLeadByteEx(CP_ACP, TestChar);
}
