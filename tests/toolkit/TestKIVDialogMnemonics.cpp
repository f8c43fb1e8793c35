// Mnemonics on a dialog made from a layout: Alt and the letter (and the bare
// letter while a button has the focus) press a button, check a radio
// button, turn a check box, move to a label's field; hidden and disabled
// targets are passed over; a label that names a check box turns it.
#include "DialogFixture.h"
#include "platform/ui/DeviceInput.h"
#include "toolkit/controls/KIVButtonCtrl.h"
#include "toolkit/controls/KIVLabelCtrl.h"

using namespace dialog_test;

namespace {

class MnemonicDialog : public KIVDialog {
public:
    MnemonicDialog() : KIVDialog(nullptr, 700) {}
    void OnControlNotify(int kind, int id, int value, bool flag) override {
        if (kind == KIVControl::kNotifyClicked)
            clicks.push_back(id);
        KIVDialog::OnControlNotify(kind, id, value, flag);
    }
    std::vector<LONG> clicks;
};

class DialogMnemonicsTest : public DialogTest {
protected:
    DialogMnemonicsTest() { EXPECT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0)); }
    void Alt(char letter) { SendMessageW(dialog, WM_SYSKEYDOWN, letter, 0); }
    void Type(char16_t ch) { SendMessageW(dialog, WM_CHAR, ch, 0); }
    bool Checked(LONG id) const {
        return dynamic_cast<KIVButtonCtrl*>(dialog.GetControl(id))->GetCheckedState() != 0;
    }
    LONG Focused() const { return dialog.FocusedControl() ? dialog.FocusedControl()->GetId() : -1; }
    void ClickAt(LONG id) {
        const RECT& rect = dialog.GetControl(id)->GetRect();
        const LPARAM at = MAKELPARAM(rect.left + 4, rect.top + 4);
        SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(dialog, WM_LBUTTONUP, 0, at);
    }

    MnemonicDialog dialog;
};

} // namespace

TEST_F(DialogMnemonicsTest, AltAndTheLetterActsOnEachKindOfControl) {
    dialog.SetFocusControl(7006);
    Alt('G');
    EXPECT_EQ(dialog.clicks, std::vector<LONG>{7001});
    EXPECT_EQ(Focused(), 7006) << "a push button is pressed where it is";

    Alt('B');
    EXPECT_TRUE(Checked(7003));
    EXPECT_EQ(Focused(), 7003);
    Alt('R');
    EXPECT_TRUE(Checked(7002));
    EXPECT_FALSE(Checked(7003));

    Alt('T');
    EXPECT_TRUE(Checked(7004));
    EXPECT_EQ(Focused(), 7004);
    Alt('T');
    EXPECT_FALSE(Checked(7004));

    Alt('N');
    EXPECT_EQ(Focused(), 7006) << "a label's mnemonic reaches the field after it";
}

TEST_F(DialogMnemonicsTest, HiddenAndDisabledTargetsArePassedOver) {
    dialog.SetFocusControl(7004);
    Alt('Q');
    dialog.GetControl(7001)->Show(false);
    Alt('G');
    EXPECT_TRUE(dialog.clicks.empty());
    dialog.GetControl(7006)->Enable(false);
    Alt('N');
    EXPECT_EQ(Focused(), 7004) << "the field is disabled";
    Alt('P');
    EXPECT_EQ(dialog.GetControl(7010)->GetMnemonic(), 0) << "a label of data has no mnemonic";
}

TEST_F(DialogMnemonicsTest, TheBareLetterCountsOnlyWhereTheFocusTakesNoCharacters) {
    dialog.SetFocusControl(7001);
    Type(u't');
    EXPECT_TRUE(Checked(7004)) << "a button takes no characters";
    dialog.SetFocusControl(7006);
    Type(u'g');
    EXPECT_EQ(dialog.clicks, std::vector<LONG>{7004}) << "the field took the letter";
    EXPECT_EQ(dialog.GetControl(7006)->GetText(), u"g");
}

TEST_F(DialogMnemonicsTest, ALabelNamingACheckBoxTurnsItByClickAndMnemonic) {
    ClickAt(7009);
    EXPECT_TRUE(Checked(7008));
    EXPECT_EQ(Focused(), 7008);
    Alt('S');
    EXPECT_FALSE(Checked(7008));
    ClickAt(7005);
    EXPECT_EQ(Focused(), 7008) << "a label without a target ignores the mouse";
}

TEST_F(DialogMnemonicsTest, TheKeyboardsAltChordArrivesAsAMnemonic) {
    dialog.SetFocusControl(7001);
    SetActiveWindow(dialog);
    ::SetFocus(dialog);
    DeviceInput::Key(VK_MENU, true);
    DeviceInput::Key('T', true);
    DeviceInput::Key('T', false);
    DeviceInput::Key(VK_MENU, false);
    Pump();
    EXPECT_TRUE(Checked(7004));
}

// A label of data (style 0x80) shows an "&" as it is; a field's label drops
// it and underlines the letter instead.
TEST_F(DialogMnemonicsTest, ALabelOfDataShowsItsAmpersand) {
    auto rightmostInk = [&](const RECT& rect) {
        for (int x = rect.right - 1; x >= rect.left; --x)
            for (int y = rect.top; y < rect.bottom; ++y)
                if ((dialog.PixelAt(x, y) & 0xFF) < 0x80)
                    return x;
        return -1;
    };
    dialog.GetControl(7005)->SetText(u"&Plain");
    Pump();
    const int field = rightmostInk(RECT{10, 100, 100, 116});
    const int data = rightmostInk(RECT{10, 160, 100, 176});
    EXPECT_GT(field, 10);
    EXPECT_GT(data, field + 5) << "the data label draws the '&' before the word";
}

// The target stays with the label when the dialog is saved.
TEST_F(DialogMnemonicsTest, ALabelsTargetIsSavedAfterItsColour) {
    const auto* label = dynamic_cast<KIVLabelCtrl*>(dialog.GetControl(7009));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->GetTargetId(), 7008);
    std::vector<BYTE> saved;
    label->Save(&saved);
    ASSERT_GE(saved.size(), 4u);
    EXPECT_EQ(std::vector<BYTE>(saved.end() - 4, saved.end()),
              (std::vector<BYTE>{0x60, 0x1B, 0, 0}));
}
