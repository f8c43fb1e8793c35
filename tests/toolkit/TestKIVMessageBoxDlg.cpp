// The message box: its size from the text, the icon and buttons of the
// flags, and the answers of Enter, Escape, Space and the buttons' mnemonics
// for every button set, in each language's captions.
#include "ButtonFixture.h"
#include "MessageBoxCheck.h"
#include "TextContrast.h"
#include "toolkit/KIVMessageBox.h"
#include "toolkit/KIVMessageBoxDlg.h"
#include "toolkit/controls/KIVTextButtonCtrl.h"
#include "toolkit/drawing/KIVWindowFrame.h"
#include "toolkit/resources/KIVTextPainter.h"

#include <functional>
#include <map>

using namespace dialog_test;

namespace {

struct Answer {
    int value = 0;
};

// A message box that, once it runs, looks at itself and then presses a key,
// with Alt held when alt is set (and Escape, should the key leave it open;
// a box that Escape leaves open too is ended with no answer, 0).
class ScriptedBox : private Answer, public KIVMessageBoxDlg {
public:
    ScriptedBox(const char16_t* text, DWORD flags, int key, bool alt = false)
        : KIVMessageBoxDlg(nullptr, text, u"Caption", flags, &value, 5), key_(key), alt_(alt) {}
    bool OnIdleWork() override {
        if (steps_ == 0) {
            RECT rect{};
            ::GetWindowRect(*this, &rect);
            window = rect;
            for (LONG id = 100; id <= 112; ++id)
                if (KIVControl* control = GetControl(id))
                    controls[id] = control->GetRect();
            if (auto* icon = GetControl(kIconId))
                iconShown = icon->IsVisible();
        }
        if (steps_ == 0)
            Press(key_, alt_);
        else if (steps_ == 1)
            Press(VK_ESCAPE, false);
        else
            EndDialog(kCancel);
        ++steps_;
        return false;
    }
    int Answered() const { return value; }
    int Width() const { return window.right - window.left; }
    int Height() const { return window.bottom - window.top; }

    RECT window{};
    std::map<LONG, RECT> controls;
    bool iconShown = false;

private:
    void Press(int key, bool alt) {
        ::SetActiveWindow(*this);
        ::SetFocus(*this);
        if (alt)
            DeviceInput::Key(VK_MENU, true);
        DeviceInput::Key(key, true);
        DeviceInput::Key(key, false);
        if (alt)
            DeviceInput::Key(VK_MENU, false);
    }

    int key_;
    bool alt_;
    int steps_ = 0;
};

int LineHeight() {
    return KIVApplication::Get()->GetFont(0)->LineHeight();
}

// Dialog tests that speak one of the setup's languages: its compiled
// resources, the captions of the box's buttons and their mnemonics included.
class MessageBoxKeysTest : public DialogTest {
protected:
    void Speak(const std::string& language) {
        const std::string base = "Languages/" + language + "/Setup";
        for (const char* extension : {".erf", ".erb", ".erd", ".erm", ".era", ".ers"}) {
            const fs::path to = machine.DriveC(base + extension);
            fs::create_directories(to.parent_path());
            fs::copy_file(fs::path(KIV_RESOURCES_DIR) / language /
                              (std::string("Setup") + extension),
                          to, fs::copy_options::overwrite_existing);
        }
        const std::string path = "C:\\Languages\\" + language + "\\Setup";
        ASSERT_TRUE(app->LoadLanguage(std::u16string(path.begin(), path.end()).c_str(), nullptr));
    }
};

} // namespace

TEST_F(DialogTest, AnErrorBoxShowsIconEightyNineWithOneOKButtonAndEnterAnswersOne) {
    ScriptedBox box(u"Disk full", 0x10001, VK_RETURN);
    EXPECT_EQ(box.Run(), IDOK);
    EXPECT_TRUE(box.iconShown);
    ASSERT_TRUE(box.controls.count(KIVMessageBoxDlg::kIconId));
    EXPECT_EQ(box.controls[100].left, 16);
    EXPECT_EQ(box.controls[100].top, 42);
    EXPECT_EQ(box.controls[100].right, 16 + 32);
    EXPECT_EQ(box.controls[101].left, 32 + 28);
    EXPECT_EQ(box.controls.size(), 3u); // icon, text, OK
    EXPECT_EQ(KIVMessageBoxDlg::IconOf(0x10001), 89);
}

TEST_F(MessageBoxKeysTest, AQuestionBoxHasYesAndNoAndIgnoresEscapeWhileYSaysYes) {
    Speak("English");
    ScriptedBox escape(u"Go on?", 0x2000C, VK_ESCAPE);
    EXPECT_EQ(escape.Run(), 0) << "Escape leaves a box without Cancel or OK open";
    EXPECT_EQ(KIVMessageBoxDlg::IconOf(0x2000C), 88);
    EXPECT_TRUE(escape.controls.count(107) && escape.controls.count(108));
    EXPECT_EQ(escape.controls.count(102), 0u);
    ScriptedBox yes(u"Go on?", 0x2000C, 'Y');
    EXPECT_EQ(yes.Run(), IDYES);
}

TEST_F(DialogTest, ThreeShortLinesMakeTheBoxThreeLinesHighButAtLeast120) {
    ScriptedBox box(u"one\ntwo\nthree", 0, VK_RETURN);
    EXPECT_EQ(box.Run(), IDOK);
    EXPECT_EQ(box.Height(), std::max(3 * LineHeight() + 81, 120));
    EXPECT_EQ(box.Width(), 220);
    // Centred on the full-screen area of 1024 x 738.
    EXPECT_EQ(box.window.left, (1024 - 220) / 2);
    EXPECT_EQ(box.window.top, (738 - box.Height()) / 2);
    // The text spans from 42 to 37 above the bottom; buttons end 8 from the edges.
    EXPECT_EQ(box.controls[101].bottom, box.Height() - 37);
    EXPECT_EQ(box.controls[102].right, 220 - 8);
    EXPECT_EQ(box.controls[102].bottom, box.Height() - 8);
}

TEST_F(DialogTest, AMessageWiderThanHalfTheScreenMakesTheBoxHalfTheScreenWide) {
    const std::u16string text(300, u'W');
    ScriptedBox box(text.c_str(), 0, VK_RETURN);
    box.Run();
    EXPECT_EQ(box.Width(), 512);
    const int textWidth =
        KIVTextPainter::MeasureText(*KIVApplication::Get()->GetFont(0), text.c_str(), -1);
    // The one long word is cut where it stops fitting: at least as many
    // lines as its width needs, each as high as the font.
    const int lines = (textWidth + 480 - 1) / (512 - 12 - 20);
    ASSERT_GT(lines, 1);
    EXPECT_GE(box.Height(), lines * LineHeight() + 81);
    EXPECT_EQ((box.Height() - 81) % LineHeight(), 0);
}

namespace {

// A box made without running it (to be drawn by the next Pump).
struct ShownBox {
    ShownBox(const char16_t* text, DWORD flags)
        : box(nullptr, text, u"Caption", flags, &answered, 0) {
        created = box.Create(WS_POPUP | WS_VISIBLE, 0);
    }
    int answered = 0;
    KIVMessageBoxDlg box;
    bool created = false;
};

} // namespace

// The box is as wide as its text in the text area, the icon's room and the
// right margin included: a question that fits half the screen stays on one
// line, its last word included.
TEST_F(DialogTest, AOneLineQuestionStaysOnOneLineWithOrWithoutAnIcon) {
    const char16_t text[] = u"Do you want to install Orrery Planetarium 1.4 now?";
    for (DWORD flags : {0x2000Cu, 0xCu, 0x40001u, 0x1u}) {
        ShownBox shown(text, flags);
        ASSERT_TRUE(shown.created);
        Pump();
        const KIVControl* label = shown.box.GetControl(KIVMessageBoxDlg::kTextId);
        ASSERT_NE(label, nullptr);
        const RECT rect = label->GetRect();
        EXPECT_EQ(KIVLabelCtrl::BreakLines(*label->GetFont(), text, rect.right - rect.left).size(),
                  1u)
            << std::hex << flags;
        EXPECT_EQ(shown.box.BufferHeight(), 120) << std::hex << flags;
        EXPECT_EQ(message_box_check::WholeTextMisfit(shown.box), "") << std::hex << flags;
    }
}

// Words wider than the whole box are cut where they stop fitting; the words
// around them, the paragraphs after line feeds and an empty line between
// them are all drawn.
TEST_F(DialogTest, WordsWiderThanTheBoxAreCutAndTheWholeTextIsDrawn) {
    const std::u16string path = u"C:\\Program\\Kiv\\" + std::u16string(120, u'x') + u"\\Orrery.ini";
    const std::u16string texts[] = {
        u"The file " + path + u" could not be copied. Please try again.",
        std::u16string(400, u'W'),
        u"First paragraph.\n\n" + path + u"\nLast line of the message.",
        u"Short " + std::u16string(60, u'i') + u" " + std::u16string(70, u'M') + u" end.",
    };
    for (const std::u16string& text : texts)
        for (DWORD flags : {0x10001u, 0x0u, 62u}) {
            ShownBox shown(text.c_str(), flags);
            ASSERT_TRUE(shown.created);
            Pump();
            EXPECT_LE(shown.box.BufferWidth(), 512);
            EXPECT_EQ(message_box_check::WholeTextMisfit(shown.box), "")
                << std::hex << flags << " " << text.size();
        }
}

// Closing the window or Escape answers as the platform's own box does:
// Cancel when the box has a Cancel button, OK when it has OK; a box with
// neither (Yes and No, Abort, Retry and Ignore) stays open until a button
// answers.
TEST_F(DialogTest, ClosingTheBoxOrEscapeAnswersCancelOrOKAndIsRefusedWithoutEither) {
    // Each set and the answer of closing it; 0: the box stays open.
    const std::pair<DWORD, int> sets[] = {
        {3, IDCANCEL}, {14, IDCANCEL},  {62, IDCANCEL}, {130, IDCANCEL}, {515, IDCANCEL}, {0, IDOK},
        {513, IDOK},   {0x40001, IDOK}, {12, 0},        {28, 0},         {60, 0},         {194, 0}};
    for (const bool escape : {false, true})
        for (const auto& [flags, answer] : sets) {
            ShownBox shown(u"Question", flags);
            ASSERT_TRUE(shown.created);
            Pump();
            if (escape) {
                SetActiveWindow(shown.box);
                KeyStroke(VK_ESCAPE);
            } else {
                SendMessageW(shown.box, WM_CLOSE, 0, 0);
            }
            Pump();
            EXPECT_EQ(shown.box.HasEnded(), answer != 0) << flags << " " << escape;
            EXPECT_EQ(shown.answered, answer) << flags << " " << escape;
        }
}

TEST_F(DialogTest, FiveButtonsNeedAtLeast364PixelsAndStartAtWidthLess356) {
    ScriptedBox box(u"Replace?", 62, VK_ESCAPE);
    EXPECT_EQ(box.Run(), IDCANCEL);
    EXPECT_EQ(box.Width(), 364);
    const LONG order[] = {107, 111, 108, 112, 103};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(box.controls[order[i]].left, box.Width() - 356 + 72 * i) << order[i];
}

// The box is sized after its window is made: the whole of it is drawn, the
// last button at its right edge included. Space presses the focused button,
// as in every dialog, not the default one.
TEST_F(DialogTest, TheBoxIsDrawnAtItsOwnSizeAndSpacePressesTheFocusedButton) {
    int answered = 0;
    KIVMessageBoxDlg box(nullptr, u"Hello", u"Caption", 3, &answered, 0);
    ASSERT_TRUE(box.Create(WS_POPUP | WS_VISIBLE, 0));
    Pump();
    EXPECT_EQ(box.BufferWidth(), 220);
    EXPECT_EQ(box.BufferHeight(), 120);
    const RECT cancel = box.GetControl(103)->GetRect();
    EXPECT_NE(box.PixelAt(cancel.left + 1, cancel.top + 10), KIVDialog::kBackground);
    EXPECT_TRUE(static_cast<KIVTextButtonCtrl*>(box.GetControl(102))->IsDefault());
    EXPECT_EQ(box.FocusedControl(), box.GetControl(102)) << "the box opens on its default";
    SetActiveWindow(box);
    box.GetControl(103)->SetFocus();
    KeyStroke(VK_SPACE);
    Pump();
    EXPECT_EQ(answered, IDCANCEL);
    EXPECT_FALSE(static_cast<KIVTextButtonCtrl*>(box.GetControl(103))->IsDefault());
}

namespace {

HCURSOR cursorWhileShown = nullptr;

// A thread timer's procedure: notes the cursor and sends Escape to the box.
void EscapeTheBox(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    cursorWhileShown = GetCursor();
    ASSERT_FALSE(KIVDialog::ModalStack().empty());
    const HWND box = KIVDialog::ModalStack().back();
    SetActiveWindow(box);
    SetFocus(box);
    DeviceInput::Key(VK_ESCAPE, true);
    DeviceInput::Key(VK_ESCAPE, false);
}

} // namespace

TEST_F(DialogTest, TheArrowCursorIsShownWhileTheBoxRunsAndTheFormerOneComesBack) {
    const HCURSOR wait = LoadCursorA(nullptr, MAKEINTRESOURCEA(32514));
    SetCursor(wait);
    SetTimer(nullptr, 0, 20, EscapeTheBox);
    // A set of 0 is a single OK button: Escape answers OK.
    EXPECT_EQ(KIVMessageBox(nullptr, u"Done", u"Caption", 0x40000, 3), IDOK);
    EXPECT_EQ(cursorWhileShown, LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(GetCursor(), wait);
}

// Each set answered with Enter, Escape, Space and the English captions'
// mnemonics; a letter without a button leaves the box open (and Escape then
// ends it, when the set lets it). Escape answers Cancel, else OK, else
// nothing (0).
TEST_F(MessageBoxKeysTest, EveryButtonSetAnswersEachKeyAsItsButtonsSay) {
    Speak("English");
    struct Set {
        DWORD value;
        std::vector<LONG> buttons;
        int enter, escape;
    };
    const Set sets[] = {
        {3, {102, 103}, 1, 2},
        {12, {107, 108}, 6, 0},
        {14, {107, 108, 103}, 6, 2},
        {1034, {107, 108, 103}, 6, 2}, // Enter answers the default button
        {22, {107, 111, 103}, 6, 2},
        {28, {107, 111, 108}, 6, 0},
        {30, {107, 111, 108, 103}, 6, 2},
        {42, {108, 112, 103}, 7, 2},
        {60, {107, 111, 108, 112}, 6, 0},
        {62, {107, 111, 108, 112, 103}, 6, 2},
        {130, {105, 103}, 4, 2},
        {194, {104, 105, 106}, 4, 0},
        {513, {102, 110}, 1, 1},
        {515, {102, 103, 110}, 1, 2},
        {512, {102}, 1, 1},
    };
    // "&OK", "&Cancel", "&Help", "&Abort", "&Retry", "&Ignore", "&Yes",
    // "Yes to &All", "&No", "N&o to All"; D and S stand for no button.
    const std::pair<int, std::vector<LONG>> letters[] = {
        {'A', {104, 111}}, {'C', {103}},      {'D', {}},    {'N', {108}}, {'H', {110}},
        {'I', {106}},      {'O', {102, 112}}, {'R', {105}}, {'S', {}},    {'Y', {107}},
    };
    for (const Set& set : sets) {
        auto answer = [&](int key) {
            ScriptedBox box(u"Question", set.value, key);
            const int result = box.Run();
            std::vector<LONG> shown;
            for (const auto& [id, rect] : box.controls)
                if (id >= 102)
                    shown.push_back(id);
            std::vector<LONG> expected = set.buttons;
            std::sort(expected.begin(), expected.end());
            EXPECT_EQ(shown, expected) << set.value;
            return result;
        };
        EXPECT_EQ(answer(VK_RETURN), set.enter) << set.value;
        EXPECT_EQ(answer(VK_ESCAPE), set.escape) << set.value;
        EXPECT_EQ(answer(VK_SPACE), set.enter) << set.value;
        for (const auto& [key, candidates] : letters) {
            int expected = set.escape;
            for (LONG id : candidates)
                if (std::find(set.buttons.begin(), set.buttons.end(), id) != set.buttons.end()) {
                    expected = id - 101;
                    break;
                }
            EXPECT_EQ(answer(key), expected) << set.value << " " << static_cast<char>(key);
        }
    }
}

// A caption too long for 60 pixels widens every button of the row alike,
// and the box with them; the last button still ends 8 pixels in.
TEST_F(DialogTest, ACaptionTooLongForItsButtonWidensTheRow) {
    ScriptedBox box(u"Stop?", 194, VK_RETURN);
    box.Run();
    const RECT abort = box.controls.at(104), retry = box.controls.at(105),
               ignore = box.controls.at(106);
    const KIVFont* font = app->GetFont(0);
    ASSERT_NE(font, nullptr);
    const int caption = KIVTextPainter::MeasureText(*font, u"Abort the whole setup", -1);
    EXPECT_GE(abort.right - abort.left, caption + 12);
    EXPECT_EQ(retry.right - retry.left, abort.right - abort.left);
    EXPECT_EQ(retry.left - abort.right, 12);
    EXPECT_EQ(ignore.right, box.Width() - 8);
    EXPECT_GE(box.Width(), 220 + 3 * (abort.right - abort.left - 60));
}

// The box stands out from what lies below: a dark outline, and its caption
// readable in a title band above the text and the buttons.
TEST_F(DialogTest, TheBoxHasADarkOutlineAndItsCaptionInATitleBand) {
    int answered = 0;
    KIVMessageBoxDlg box(nullptr, u"Hello", u"Orrery Planetarium", 3, &answered, 0);
    ASSERT_TRUE(box.Create(WS_POPUP | WS_VISIBLE, 0));
    Pump();
    const int w = box.BufferWidth(), h = box.BufferHeight();
    for (POINT corner : {POINT{0, 0}, POINT{1, h / 2}, POINT{w - 1, h - 1}, POINT{w / 2, h - 2}})
        EXPECT_EQ(box.PixelAt(corner.x, corner.y) & 0xFFFFFF, KIVLook::kEdge);
    EXPECT_GE(text_contrast::Contrast(KIVLook::kEdge, KIVDialog::kBackground), 3.0);
    const auto title = text_contrast::MeasureInk(box, KIVWindowFrame::Band(w));
    EXPECT_EQ(title.background, KIVLook::kTitleBand);
    EXPECT_GE(title.Ratio(), text_contrast::kReadable);
    EXPECT_GT(title.inkPixels, 40) << "the caption is drawn";
    for (int i = 0; i < box.ControlCount(); ++i)
        EXPECT_GE(box.ControlAt(i)->GetRect().top, KIVWindowFrame::kContentTop + 8);
    EXPECT_GE(text_contrast::ExpectReadableText(box, "message box"), 2);
}

// The letters are the mnemonics of the captions shown, in the language the
// setup speaks, bare or with Alt; a letter of another language's caption
// answers nothing (the box stays open: 0).
TEST_F(MessageBoxKeysTest, EachLanguageAnswersTheMnemonicsOfItsOwnCaptions) {
    struct Case {
        const char* language;
        DWORD set;
        int key;
        bool alt;
        int answer;
    };
    const Case cases[] = {
        {"French", 12, 'O', false, IDYES},    {"French", 12, 'N', false, IDNO},
        {"French", 12, 'Y', false, 0},        {"French", 12, 'N', true, IDNO},
        {"French", 194, 'B', false, IDABORT}, {"French", 194, 'A', false, 0},
        {"German", 12, 'J', false, IDYES},    {"German", 12, 'Y', false, 0},
        {"German", 194, 'W', true, IDRETRY},  {"Japanese", 12, 'Y', false, IDYES},
        {"Japanese", 12, 'N', true, IDNO},    {"Japanese", 12, 'O', false, 0},
        {"English", 12, 'S', false, 0},       {"English", 12, 'D', false, 0},
    };
    for (const Case& c : cases) {
        Speak(c.language);
        ScriptedBox box(u"Question", c.set, c.key, c.alt);
        EXPECT_EQ(box.Run(), c.answer)
            << c.language << " " << c.set << " " << static_cast<char>(c.key) << " " << c.alt;
    }
}

// Space and Enter press the focused button, whichever the default is.
TEST_F(MessageBoxKeysTest, SpaceOrEnterOnAFocusedNoAnswersNo) {
    Speak("English");
    for (const int key : {VK_SPACE, VK_RETURN}) {
        ShownBox shown(u"Go on?", 0x2000C);
        ASSERT_TRUE(shown.created);
        Pump();
        SetActiveWindow(shown.box);
        shown.box.GetControl(108)->SetFocus();
        KeyStroke(key);
        Pump();
        EXPECT_EQ(shown.answered, IDNO) << key;
        EXPECT_TRUE(static_cast<KIVTextButtonCtrl*>(shown.box.GetControl(107))->IsDefault());
    }
}
