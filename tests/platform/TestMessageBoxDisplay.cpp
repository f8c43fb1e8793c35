// A message box on a display that shows boxes: the display is asked with the
// button labels and the default, and its answer is the call's; while an input
// script plays nothing waits for a person and the default answers.
#include "TestMachine.h"
#include "platform/Windows.h"
#include "platform/ui/DisplayBackend.h"
#include "platform/ui/MessageBoxLog.h"
#include "platform/ui/headless/HeadlessBackend.h"

#include <cstdlib>

namespace {

struct AskedBox {
    std::u16string text, caption;
    std::vector<std::u16string> buttons;
    int defaultButton = -1;
};

class AnsweringDisplay : public HeadlessBackend {
public:
    AnsweringDisplay(int answer, AskedBox* asked) : answer_(answer), asked_(asked) {}
    int ShowMessageBox(const std::u16string& text, const std::u16string& caption,
                       const std::vector<std::u16string>& buttons, int defaultButton) override {
        *asked_ = {text, caption, buttons, defaultButton};
        return answer_;
    }

private:
    int answer_;
    AskedBox* asked_;
};

class MessageBoxDisplayTest : public MachineTest {
protected:
    void Use(int answer) {
        asked = AskedBox();
        SetDisplayBackend(std::make_unique<AnsweringDisplay>(answer, &asked));
    }
    ~MessageBoxDisplayTest() override { SetDisplayBackend(std::make_unique<HeadlessBackend>()); }

    AskedBox asked;
};

} // namespace

TEST_F(MessageBoxDisplayTest, TheDisplaysAnswerIsTheCalls) {
    Use(1);
    EXPECT_EQ(MessageBoxA(nullptr, "Restart now?", "Setup", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(asked.text, u"Restart now?");
    EXPECT_EQ(asked.caption, u"Setup");
    EXPECT_EQ(asked.buttons, (std::vector<std::u16string>{u"Yes", u"No"}));
    EXPECT_EQ(asked.defaultButton, 1);
    Use(0);
    EXPECT_EQ(MessageBoxW(nullptr, u"Fatal", nullptr, MB_OKCANCEL), IDOK);
    EXPECT_EQ(asked.buttons, (std::vector<std::u16string>{u"OK", u"Cancel"}));
    // A display that shows no box, or an answer outside the buttons: the default.
    Use(-1);
    EXPECT_EQ(MessageBoxA(nullptr, "x", "y", MB_RETRYCANCEL | MB_DEFBUTTON2), IDCANCEL);
    Use(7);
    EXPECT_EQ(MessageBoxA(nullptr, "x", "y", MB_ABORTRETRYIGNORE), IDABORT);
    EXPECT_EQ(MessageBoxLog::Shown().back().answer, IDABORT);
}

TEST_F(MessageBoxDisplayTest, AScriptedRunNeverWaitsForAPerson) {
    Use(1);
    setenv("KIV_SCRIPT", "/nowhere.kvs", 1);
    EXPECT_EQ(MessageBoxA(nullptr, "Restart now?", "Setup", MB_YESNO), IDYES);
    unsetenv("KIV_SCRIPT");
    EXPECT_TRUE(asked.buttons.empty()) << "the display was not asked";
}
