// Lead bytes of double-byte characters.
#include "Japanese932.h"
#include "TestMachine.h"
#include "platform/WinBase.h"
#include "platform/WinUser.h"

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

// 0x95 0x5C and 0x83 0x5C are one character each in code page 932; their
// trail byte is the backslash.
TEST(LeadByte, CharNextStepsOverWholeCharacters) {
    const char text[] = "a\x95\x5C\x83\x5C\\";
    EXPECT_EQ(CharNextExA(932, text, 0), text + 1);
    EXPECT_EQ(CharNextExA(932, text + 1, 0), text + 3);
    EXPECT_EQ(CharNextExA(932, text + 3, 0), text + 5);
    EXPECT_EQ(CharNextExA(932, text + 5, 0), text + 6);
    EXPECT_EQ(CharNextExA(932, text + 6, 0), text + 6); // the terminator stays
    EXPECT_EQ(CharNextExA(1252, text + 1, 0), text + 2);
}

TEST(LeadByte, CharNextNeverPassesTheTerminatorAfterALeadByte) {
    const char text[] = "\x95";
    EXPECT_EQ(CharNextExA(932, text, 0), text + 1);
}

TEST(LeadByte, CharPrevFindsTheCharacterBefore) {
    const char text[] = "\x95\x5C\\\x83\x5C";
    EXPECT_EQ(CharPrevExA(932, text, text + 5, 0), text + 3);
    EXPECT_EQ(CharPrevExA(932, text, text + 3, 0), text + 2);
    EXPECT_EQ(CharPrevExA(932, text, text + 2, 0), text);
    EXPECT_EQ(CharPrevExA(932, text, text, 0), text);
    EXPECT_EQ(CharPrevExA(1252, text, text + 5, 0), text + 4);
}

TEST(LeadByte, CharNextAWalksTheMachinesCodePage) {
    const char text[] = "\x83\x5C";
    {
        TestMachine western;
        EXPECT_EQ(CharNextA(text), text + 1);
    }
    TestMachine japanese(Japanese932Settings());
    EXPECT_EQ(CharNextA(text), text + 2);
    EXPECT_EQ(CharPrevA(text, text + 2), text);
}
