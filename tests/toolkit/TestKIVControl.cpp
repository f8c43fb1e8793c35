// The control base on its own: texts, styles, the record it saves, moves and
// the drawing states that showing and hiding leave.
#include "toolkit/KIVControl.h"

#include <gtest/gtest.h>

namespace {

KIVControlRecord Record(LONG style) {
    KIVControlRecord record;
    record.id = 42;
    record.left = 1;
    record.top = 2;
    record.right = 30;
    record.bottom = 40;
    record.style = style;
    record.font = 3;
    record.text = u"0123456789";
    record.tooltip = u"T";
    return record;
}

LONG LongAt(const std::vector<BYTE>& bytes, std::size_t at) {
    return static_cast<LONG>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                             static_cast<DWORD>(bytes[at + 3]) << 24);
}

} // namespace

TEST(KIVControl, GetTextIntoASmallBufferKeepsRoomForTheTerminator) {
    KIVControl control(nullptr, Record(1));
    char16_t buffer[5] = {u'x', u'x', u'x', u'x', u'x'};
    EXPECT_EQ(control.GetText(buffer, 5), 4);
    EXPECT_EQ(std::u16string(buffer), u"0123");
    EXPECT_EQ(control.GetText(buffer, 0), 0);
}

TEST(KIVControl, AStyleWithoutAKindTakesTheClassDefault) {
    EXPECT_EQ(KIVControl(nullptr, Record(0x10)).GetStyle(), 0x11);
    EXPECT_EQ(KIVControl(nullptr, Record(0x12)).GetStyle(), 0x12);
    EXPECT_EQ(KIVControl(nullptr, Record(0x4)).GetStyle(), 0x4);
    EXPECT_EQ(KIVControl(nullptr, Record(0x3), 2).GetStyle(), 0x3 | 2);
}

TEST(KIVControl, SavedTextsCarryTheirZeroAndOneMoreUnit) {
    KIVControl control(nullptr, Record(1));
    std::vector<BYTE> saved;
    control.Save(&saved);
    EXPECT_EQ(LongAt(saved, 0), 42);
    EXPECT_EQ(LongAt(saved, 4 * 4), 40);
    EXPECT_EQ(LongAt(saved, 7 * 4), 3);
    EXPECT_EQ(LongAt(saved, 32), 12);
    const std::size_t tooltipAt = 36 + 12 * 2;
    EXPECT_EQ(saved[36 + 10 * 2], 0);
    EXPECT_EQ(LongAt(saved, tooltipAt), 3);
    EXPECT_EQ(saved.size(), tooltipAt + 4 + 3 * 2);
}

TEST(KIVControl, MoveKeepsWhatItsFlagsSay) {
    KIVControl control(nullptr, Record(1));
    control.Move(100, 200, 5, 6, KIVControl::kKeepPlace | KIVControl::kKeepSize);
    EXPECT_EQ(control.GetRect().left, 1);
    EXPECT_EQ(control.GetRect().bottom, 40);
    control.Move(100, 200, 5, 6, KIVControl::kKeepSize);
    EXPECT_EQ(control.GetRect().left, 100);
    EXPECT_EQ(control.GetRect().right, 129);
    control.Move(0, 0, 5, 6, KIVControl::kKeepPlace);
    EXPECT_EQ(control.GetRect().left, 100);
    EXPECT_EQ(control.GetRect().right, 105);
    EXPECT_EQ(control.GetRect().bottom, 206);
}

TEST(KIVControl, DrawingStatesFollowRequestsAndHiding) {
    KIVControl control(nullptr, Record(1));
    EXPECT_EQ(control.GetDrawState(), KIVControl::kNeverDrawn);
    EXPECT_EQ(control.RequestDraw(), KIVControl::kNeverDrawn);
    EXPECT_EQ(control.GetDrawState(), KIVControl::kNeverDrawn);
    // Hiding a control that was never drawn leaves nothing to erase.
    control.Show(false);
    EXPECT_EQ(control.GetDrawState(), KIVControl::kUpToDate);
    control.Show(true);
    KIVDrawBuffer none;
    control.Draw(none);
    control.RequestFullDraw();
    EXPECT_EQ(control.RequestDraw(), KIVControl::kNeedsFullDraw);
    EXPECT_EQ(control.GetDrawState(), KIVControl::kNeedsFullDraw);
    control.Draw(none);
    control.RequestDraw();
    EXPECT_EQ(control.GetDrawState(), KIVControl::kNeedsDraw);
    control.Show(false);
    EXPECT_EQ(control.GetDrawState(), KIVControl::kWaitsErase);
    EXPECT_FALSE(control.HitTest(POINT{5, 5}));
}

TEST(KIVControl, RecordStateFlagsHideAndDisable) {
    KIVControlRecord record = Record(1);
    record.state = KIVControl::kHidden | KIVControl::kDisabled;
    KIVControl control(nullptr, record);
    EXPECT_FALSE(control.IsVisible());
    EXPECT_FALSE(control.IsEnabled());
}
