// Layout records of the dialog file, written from their layout: the header,
// control records, records larger than their fields, damaged records.
#include "ResourceBytes.h"
#include "toolkit/resources/KIVDialogFile.h"

#include <gtest/gtest.h>

namespace {

// A control record: type, size, then the fields; extra bytes pad the record.
void AddControl(ResourceBytes* file, std::int32_t type, std::int32_t id, const std::u16string& text,
                int extra, std::int32_t sizeDelta = 0) {
    const std::int32_t size =
        32 + 4 + 2 * static_cast<std::int32_t>(text.size() + 2) + 4 + 4 + extra;
    file->Long(type);
    file->Long(size + sizeDelta);
    file->Long(id);
    for (std::int32_t field : {10, 20, 110, 40, 2, 1, 1})
        file->Long(field);
    file->Long(static_cast<std::int32_t>(text.size() + 2)); // text, its zero and one more
    file->Units(text);
    file->Units(std::u16string(2, u'\0'));
    file->Long(2);
    file->Units(u"Tp");
    for (int i = 0; i < extra; ++i)
        file->Byte(static_cast<std::uint8_t>(0xA0 + i));
}

// Dialog 1: a titled layout with the given controls appended by the caller.
ResourceBytes DialogFile(std::int32_t count, const std::u16string& title = u"Setup") {
    ResourceBytes file(0, 2);
    file.StartItem(1);
    file.Long(4 * 8 + 2 * static_cast<std::int32_t>(title.size()) + 4); // header size
    for (std::int32_t field : {5, 6, 400, 300, -1, -1, 0x2001})
        file.Long(field);
    file.Long(static_cast<std::int32_t>(title.size()));
    file.Units(title);
    file.Long(count);
    return file;
}

} // namespace

TEST(KIVDialogFileTest, ReadsTheHeaderAndTheControls) {
    ResourceBytes file = DialogFile(2);
    AddControl(&file, 2, 1000, u"Hello", 0);
    AddControl(&file, 8, 1001, u"OK", 3);
    KIVDialogLayout layout;
    ASSERT_TRUE(KIVDialogFile::ReadLayout(file.Source(), 1, &layout));
    EXPECT_EQ(layout.x, 5);
    EXPECT_EQ(layout.height, 300);
    EXPECT_EQ(layout.leftMargin, -1);
    EXPECT_EQ(layout.flags, 0x2001);
    EXPECT_EQ(layout.title, u"Setup");
    ASSERT_EQ(layout.controls.size(), 2u);
    const KIVControlRecord& label = layout.controls[0];
    EXPECT_EQ(label.type, 2);
    EXPECT_EQ(label.id, 1000);
    EXPECT_EQ(label.right, 110);
    EXPECT_EQ(label.state, 2);
    EXPECT_EQ(label.font, 1);
    EXPECT_EQ(label.text, u"Hello");
    EXPECT_EQ(label.tooltip, u"Tp");
    EXPECT_TRUE(label.classFields.empty());
    EXPECT_EQ(layout.controls[1].classFields, (std::vector<BYTE>{0xA0, 0xA1, 0xA2}));
}

TEST(KIVDialogFileTest, ALargerRecordIsSkippedExactlyToTheNext) {
    ResourceBytes file = DialogFile(2);
    AddControl(&file, 2, 1000, u"A", 0, 6); // six more bytes than its fields
    for (int i = 0; i < 6; ++i)
        file.Byte(0xEE);
    AddControl(&file, 2, 1001, u"B", 0);
    KIVDialogLayout layout;
    ASSERT_TRUE(KIVDialogFile::ReadLayout(file.Source(), 1, &layout));
    ASSERT_EQ(layout.controls.size(), 2u);
    EXPECT_EQ(layout.controls[0].classFields.size(), 6u);
    EXPECT_EQ(layout.controls[1].id, 1001);
}

TEST(KIVDialogFileTest, ARecordTooSmallForItsFieldsIsLeftOut) {
    // The tooltip runs past the record's own size: nothing is read beyond
    // it, the record is left out and the next one still read.
    ResourceBytes file = DialogFile(2);
    AddControl(&file, 2, 1000, u"Hello", 0, -6);
    AddControl(&file, 2, 1001, u"B", 0);
    KIVDialogLayout layout;
    ASSERT_TRUE(KIVDialogFile::ReadLayout(file.Source(), 1, &layout));
    EXPECT_TRUE(layout.controls.empty()); // the second starts inside the first's bytes
    ResourceBytes padded = DialogFile(2);
    AddControl(&padded, 2, 1000, u"Hello", 0, -6);
    padded.bytes.resize(padded.Size() - 6); // the record ends where its size says
    AddControl(&padded, 2, 1001, u"B", 0);
    ASSERT_TRUE(KIVDialogFile::ReadLayout(padded.Source(), 1, &layout));
    ASSERT_EQ(layout.controls.size(), 1u);
    EXPECT_EQ(layout.controls[0].id, 1001);
}

TEST(KIVDialogFileTest, DamagedLayoutsReadAsMissingOrStopAtTheDamage) {
    KIVDialogLayout layout;
    ResourceBytes file = DialogFile(3);
    AddControl(&file, 2, 1000, u"Hello", 0);
    EXPECT_FALSE(KIVDialogFile::ReadLayout(file.Source(), 0, &layout)); // entry -1
    EXPECT_FALSE(KIVDialogFile::ReadLayout(file.Source(), 9, &layout));
    ASSERT_TRUE(KIVDialogFile::ReadLayout(file.Source(), 1, &layout)); // count 3, one there
    EXPECT_EQ(layout.controls.size(), 1u);

    ResourceBytes huge = DialogFile(0x7FFFFFFF);
    AddControl(&huge, 2, 1000, u"Hello", 0);
    ASSERT_TRUE(KIVDialogFile::ReadLayout(huge.Source(), 1, &layout));
    EXPECT_EQ(layout.controls.size(), 1u);

    ResourceBytes wildSize = DialogFile(1);
    AddControl(&wildSize, 2, 1000, u"Hello", 0, 0x10000000);
    ASSERT_TRUE(KIVDialogFile::ReadLayout(wildSize.Source(), 1, &layout));
    EXPECT_TRUE(layout.controls.empty());

    ResourceBytes header = DialogFile(0);
    header.Put(264, 0x7FFFFFF0); // header size past the end
    EXPECT_FALSE(KIVDialogFile::ReadLayout(header.Source(), 1, &layout));
    header.Put(264, 8); // header shorter than its fields
    EXPECT_FALSE(KIVDialogFile::ReadLayout(header.Source(), 1, &layout));
    ResourceBytes title = DialogFile(0);
    title.Put(264 + 32, 1000); // title longer than the header
    EXPECT_FALSE(KIVDialogFile::ReadLayout(title.Source(), 1, &layout));
    title.Put(264 + 32, -1);
    EXPECT_FALSE(KIVDialogFile::ReadLayout(title.Source(), 1, &layout));
}
