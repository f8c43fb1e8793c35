// Lead bytes of double-byte characters.
#include "TestMachine.h"
#include "platform/WinBase.h"

TEST(LeadByte, Code932HasTwoRangesOfLeadBytes) {
    for (unsigned c : {0x81u, 0x83u, 0x95u, 0x9Fu, 0xE0u, 0xFCu})
        EXPECT_TRUE(IsDBCSLeadByteEx(932, static_cast<BYTE>(c))) << c;
    for (unsigned c : {0x00u, 0x5Cu, 0x80u, 0xA0u, 0xB1u, 0xDFu, 0xFDu, 0xFFu})
        EXPECT_FALSE(IsDBCSLeadByteEx(932, static_cast<BYTE>(c))) << c;
    EXPECT_FALSE(IsDBCSLeadByteEx(1252, 0x83));
}

TEST(LeadByte, TheAnsiCodePageIsTheMachines) {
    {
        TestMachine western;
        EXPECT_FALSE(IsDBCSLeadByte(0x83));
    }
    MachineSettings settings;
    settings.codePage = 932;
    TestMachine japanese(settings);
    EXPECT_TRUE(IsDBCSLeadByte(0x83));
    EXPECT_TRUE(IsDBCSLeadByteEx(CP_ACP, 0x83));
}
