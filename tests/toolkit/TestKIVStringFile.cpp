// Texts of the string file, from bytes written after its layout: found,
// missing, damaged, and read through a file on the machine.
#include "HostFiles.h"
#include "ResourceBytes.h"
#include "TestMachine.h"
#include "toolkit/resources/KIVStringFile.h"

#include <gtest/gtest.h>

namespace {

std::u16string Text(const KIVString& text) {
    return std::u16string(static_cast<const char16_t*>(text), text.GetLength());
}

// Item 1 holds "Hello", item 2 is -1, item 3 holds the given length and text.
ResourceBytes StringFile(std::int32_t length3, const std::u16string& text3) {
    ResourceBytes file(0, 4);
    file.StartItem(1);
    file.Long(0x55555555); // not read
    file.Long(5);
    file.Units(u"Hello");
    file.StartItem(3);
    file.Long(0);
    file.Long(length3);
    file.Units(text3);
    return file;
}

} // namespace

TEST(KIVStringFileTest, ReadsTheTextOfAnItemAndTheLanguage) {
    const ResourceBytes file = StringFile(3, u"Bye");
    EXPECT_EQ(Text(KIVStringFile::ReadText(file.Source(), 1)), u"Hello");
    EXPECT_EQ(Text(KIVStringFile::ReadText(file.Source(), 3)), u"Bye");
    LONG language = -1;
    ResourceBytes japanese(3, 1);
    ASSERT_TRUE(japanese.Source().LanguageId(&language));
    EXPECT_EQ(language, 3);
}

TEST(KIVStringFileTest, MissingItemsAndIdentifiersGiveTheEmptyText) {
    const ResourceBytes file = StringFile(3, u"Bye");
    EXPECT_TRUE(KIVStringFile::ReadText(file.Source(), 2).IsEmpty()); // entry -1
    EXPECT_TRUE(KIVStringFile::ReadText(file.Source(), 0).IsEmpty());
    EXPECT_TRUE(KIVStringFile::ReadText(file.Source(), -1).IsEmpty());
    EXPECT_TRUE(KIVStringFile::ReadText(file.Source(), 100000).IsEmpty()); // past the file
}

TEST(KIVStringFileTest, DamagedRecordsReadAsMissing) {
    EXPECT_TRUE(KIVStringFile::ReadText(StringFile(-4, u"").Source(), 3).IsEmpty());
    EXPECT_TRUE(KIVStringFile::ReadText(StringFile(9, u"Bye").Source(), 3).IsEmpty());
    EXPECT_TRUE(KIVStringFile::ReadText(StringFile(0x7FFFFFFF, u"Bye").Source(), 3).IsEmpty());
    ResourceBytes wild = StringFile(3, u"Bye");
    wild.Put(256 + 4, 0x7FFFFFF0);
    EXPECT_TRUE(KIVStringFile::ReadText(wild.Source(), 1).IsEmpty());
    wild.Put(256 + 4, static_cast<std::int32_t>(wild.Size() - 6)); // length runs off the end
    EXPECT_TRUE(KIVStringFile::ReadText(wild.Source(), 1).IsEmpty());
    ResourceBytes cut = StringFile(3, u"Bye");
    cut.bytes.resize(cut.Size() - 1);
    EXPECT_TRUE(KIVStringFile::ReadText(cut.Source(), 3).IsEmpty());
    EXPECT_EQ(Text(KIVStringFile::ReadText(cut.Source(), 1)), u"Hello");
}

TEST(KIVStringFileTest, ReadsAtMostTenThousandCharactersAndStopsAtAZero) {
    const std::u16string longText(10500, u'x');
    EXPECT_EQ(KIVStringFile::ReadText(StringFile(10500, longText).Source(), 3).GetLength(), 10000);
    EXPECT_EQ(
        Text(KIVStringFile::ReadText(StringFile(5, std::u16string(u"ab\0cd", 5)).Source(), 3)),
        u"ab");
}

TEST_F(MachineTest, GetTextOpensTheFileForEachLookup) {
    ResourceBytes file = StringFile(3, u"Bye");
    WriteHostFile(machine.DriveC("Setup.ers"), std::string(file.bytes.begin(), file.bytes.end()));
    EXPECT_EQ(Text(KIVStringFile::GetText("C:\\Setup.ers", 1)), u"Hello");
    file.Put(256 + 4, -1);
    WriteHostFile(machine.DriveC("Setup.ers"), std::string(file.bytes.begin(), file.bytes.end()));
    EXPECT_TRUE(KIVStringFile::GetText("C:\\Setup.ers", 1).IsEmpty());
    EXPECT_TRUE(KIVStringFile::GetText("C:\\Missing.ers", 1).IsEmpty());
}
