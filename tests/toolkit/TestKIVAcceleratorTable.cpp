// The accelerator table: records read from the file's layout, the lookup by
// key and modifier state, and damaged counts.
#include "ResourceBytes.h"
#include "toolkit/resources/KIVAcceleratorTable.h"

#include <gtest/gtest.h>

#include <array>

namespace {

ResourceBytes AcceleratorFile(std::int32_t count,
                              const std::vector<std::array<std::int32_t, 5>>& records) {
    ResourceBytes file(1, 0);
    file.Long(count);
    for (const auto& record : records)
        for (std::int32_t field : record)
            file.Long(field);
    return file;
}

const std::vector<std::array<std::int32_t, 5>> kRecords = {
    {'S', 8, 100, 1, 7},         // Control+S
    {'S', 8 | 4, 101, 0, 0},     // Control+Shift+S
    {'S', 8 | 1 | 2, 102, 0, 0}, // Control+S again, with bits that do not count
    {112, 0, 200, 0, 0},         // F1
};

} // namespace

TEST(KIVAcceleratorTableTest, ReadsTheRecordsInFileOrder) {
    KIVAcceleratorTable table;
    ASSERT_TRUE(table.Load(AcceleratorFile(4, kRecords).Source()));
    ASSERT_EQ(table.Entries().size(), 4u);
    EXPECT_EQ(table.Entries()[0].command, 100);
    EXPECT_EQ(table.Entries()[0].flag, 1);
    EXPECT_EQ(table.Entries()[0].value, 7);
    EXPECT_EQ(table.Entries()[3].key, 112);
}

TEST(KIVAcceleratorTableTest, ModifierStateMustMatchExactly) {
    KIVAcceleratorTable table;
    ASSERT_TRUE(table.Load(AcceleratorFile(4, kRecords).Source()));
    ASSERT_NE(table.Find('S', false, true, false), nullptr);
    EXPECT_EQ(table.Find('S', false, true, false)->command, 100);
    EXPECT_EQ(table.Find('S', true, true, false)->command, 101);
    EXPECT_EQ(table.Find('S', false, false, false), nullptr);
    EXPECT_EQ(table.Find('S', false, true, true), nullptr);
    EXPECT_EQ(table.Find(112, false, false, false)->command, 200);
    EXPECT_EQ(table.Find(112, true, false, false), nullptr);
    EXPECT_EQ(table.FindCommand(101)->modifiers, 12);
    EXPECT_EQ(table.FindCommand(999), nullptr);
}

TEST(KIVAcceleratorTableTest, ControlOnlyDoesNotFireForControlAndShift) {
    KIVAcceleratorTable table;
    ASSERT_TRUE(table.Load(AcceleratorFile(1, {{'S', 8, 100, 0, 0}}).Source()));
    EXPECT_EQ(table.Find('S', true, true, false), nullptr);
}

TEST(KIVAcceleratorTableTest, BadCountsLeaveTheTableEmpty) {
    KIVAcceleratorTable table;
    ASSERT_TRUE(table.Load(AcceleratorFile(4, kRecords).Source()));
    for (std::int32_t count : {-1, 5, 0x7FFFFFFF, static_cast<std::int32_t>(0x80000000)}) {
        EXPECT_FALSE(table.Load(AcceleratorFile(count, kRecords).Source())) << count;
        EXPECT_TRUE(table.Entries().empty());
    }
    ResourceBytes header(0, 0);
    EXPECT_FALSE(table.Load(header.Source())); // no count at all
    EXPECT_TRUE(table.Load(AcceleratorFile(0, {}).Source()));
}
