// The setup's pages (layouts 10 to 17) as the compiled resources of each
// language make them: every text of a label, push button, check box and
// radio button fits its control in the language's fonts, including the
// texts the pages put into their headings, and every character of these and
// of the setup's messages has a glyph of its own rather than the "?" that
// stands in for a missing one. Every text, with long item names in it, is
// drawn whole in a message box.
//
// With KIV_PAGE_PICTURES set to a folder, a picture of each page is saved
// there as LANGUAGE-ID.png, to be looked at (and of two message boxes, as
// LANGUAGE-1000ID.png for the texts 104 and 124).
#include "HostFiles.h"
#include "MessageBoxCheck.h"
#include "TestMachine.h"
#include "platform/Machine.h"
#include "platform/ui/DisplayBackend.h"
#include "platform/ui/headless/HeadlessBackend.h"
#include "toolkit/KIVApplication.h"
#include "toolkit/KIVDialog.h"
#include "toolkit/KIVMessageBoxDlg.h"
#include "toolkit/controls/KIVCheckBoxCtrl.h"
#include "toolkit/controls/KIVEditCtrl.h"
#include "toolkit/controls/KIVLabelCtrl.h"
#include "toolkit/controls/KIVListBoxCtrl.h"
#include "toolkit/controls/KIVMultiLineEditCtrl.h"
#include "toolkit/controls/KIVPictureCtrl.h"
#include "toolkit/controls/KIVProgressBarCtrl.h"
#include "toolkit/controls/KIVRadioButtonCtrl.h"
#include "toolkit/drawing/KIVPainter.h"
#include "toolkit/drawing/KIVPrefixText.h"
#include "toolkit/resources/KIVTextPainter.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr LONG kFirstPage = 10;
constexpr LONG kLastPage = 17;
constexpr int kPageWidth = 560;
constexpr int kPageHeight = 390;
// The progress page, alone near the bottom of the screen, is lower.
constexpr LONG kProgressPage = 16;
constexpr int kProgressPageHeight = 220;
// Room a push button keeps on either side of its text.
constexpr int kButtonPadding = 6;
// A long application name for the headings the pages format.
constexpr char16_t kApplicationName[] = u"Kiv Example Product 2000";

// Texts the pages put into controls of their layouts: texts first..last
// joined, every "%s" the application name.
struct PageText {
    LONG page;
    LONG control;
    int first;
    int last;
};
constexpr PageText kPageTexts[] = {
    {11, 1500, 101, 101}, {11, 1600, 131, 143}, {12, 1003, 129, 129}, {17, 1000, 100, 100}};

class PageApplication : public KIVApplication {
public:
    PageApplication() : KIVApplication("Talvic", "1.0", nullptr, nullptr) {}
    bool OpenDocument(const char16_t*) override { return false; }
    bool NewDocument() override { return true; }
    bool CloseDocuments() override { return true; }
};

std::u16string Text(const KIVString& text) {
    return std::u16string(static_cast<const char16_t*>(text), text.GetLength());
}

std::string Narrow(const std::u16string& text) {
    std::string narrow;
    for (char16_t ch : text)
        narrow += ch < 128 ? static_cast<char>(ch) : '~';
    return narrow;
}

// Whether the font draws the character itself: a single-byte character
// that is not a control code, or one of the extension's when it has one.
bool HasGlyph(const KIVFont& font, char16_t ch) {
    if (ch == u'\n')
        return true;
    if (ch < 256)
        return ch >= 32 && (ch < 0x7F || ch > 0x9F);
    const bool inExtension = (ch >= 0x3000 && ch <= 0x9FFF) || (ch >= 0xF900 && ch <= 0xFFEF);
    return font.HasExtension() && inExtension && font.Advance(ch) > 0;
}

int PictureWidth(int bitmapId) {
    SIZE size{};
    return KIVPainter::PictureSize(bitmapId, &size) ? size.cx : 0;
}

// The lines the text takes in a label of that width: one when the label is
// lower than two lines, else as many as the label breaks it into.
int LabelLines(const KIVFont& font, const std::u16string& text, const RECT& rect) {
    if (rect.bottom - rect.top < 2 * font.LineHeight())
        return 1;
    return static_cast<int>(
        KIVLabelCtrl::BreakLines(font, text.c_str(), rect.right - rect.left).size());
}

// What is wrong with the control's text, or nothing.
std::string Misfit(const KIVControl& control) {
    const KIVFont* font = control.GetFont();
    const std::u16string text = Text(control.GetText());
    if (!font || text.empty())
        return {};
    for (char16_t ch : text)
        if (!HasGlyph(*font, ch))
            return "a character without a glyph";
    const RECT& rect = control.GetRect();
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    // Buttons, check boxes and radio buttons show their captions without
    // the "&" of the mnemonic.
    const int textWidth = control.TypeCode() == 2
                              ? KIVTextPainter::MeasureText(*font, text.c_str(), -1)
                              : KIVPrefixText::Measure(*font, text.c_str());
    int room = width;
    int lines = 1;
    switch (control.TypeCode()) {
    case 2:
        lines = LabelLines(*font, text, rect);
        if (lines == 1 && text.find(u'\n') != std::u16string::npos)
            return "line breaks in a one-line label";
        break;
    case 8:
        room = width - 2 * kButtonPadding;
        break;
    case 15:
        room = width - PictureWidth(KIVCheckBoxCtrl::kBoxBitmap) - 3;
        break;
    case 17:
        room = width - PictureWidth(KIVRadioButtonCtrl::kRingBitmap) - 3;
        break;
    default:
        return {};
    }
    if (lines == 1 && textWidth > room)
        return std::to_string(textWidth) + " pixels wide in " + std::to_string(room);
    if (lines * font->LineHeight() > height)
        return std::to_string(lines) + " lines of " + std::to_string(font->LineHeight()) +
               " pixels in " + std::to_string(height);
    return {};
}

class SetupPageLayoutsTest : public ::testing::TestWithParam<const char*> {
protected:
    SetupPageLayoutsTest() {
        auto backend = std::make_unique<HeadlessBackend>();
        display = backend.get();
        SetDisplayBackend(std::move(backend));
        const std::string program = machine.DriveC("Talvic/talvic.exe");
        WriteHostFile(program, "");
        Machine::SetProgramPath(program);
        const fs::path compiled = fs::path(KIV_RESOURCES_DIR) / GetParam();
        for (const char* extension : {".erf", ".erb", ".erd", ".erm", ".era", ".ers"})
            fs::copy_file(compiled / (std::string("Setup") + extension),
                          machine.DriveC(std::string("Talvic/talvic") + extension));
        app = std::make_unique<PageApplication>();
    }
    ~SetupPageLayoutsTest() override {
        app.reset();
        Machine::SetProgramPath("");
        Pump();
    }

    static void Pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    // Puts the texts the pages set at run time into the page's controls.
    void SetPageTexts(KIVDialog* page) const {
        for (const PageText& set : kPageTexts) {
            KIVControl* control = page->GetControl(set.control);
            if (set.page != page->DialogId() || !control)
                continue;
            std::u16string text;
            for (int id = set.first; id <= set.last; ++id)
                text += Text(app->GetText(id));
            for (std::size_t at; (at = text.find(u"%s")) != std::u16string::npos;)
                text.replace(at, 2, kApplicationName);
            control->SetText(text.c_str());
        }
    }
    void SavePicture(LONG id) const {
        const char* folder = std::getenv("KIV_PAGE_PICTURES");
        if (!folder)
            return;
        fs::create_directories(folder);
        Pump();
        EXPECT_TRUE(display->SaveScreen(
            (fs::path(folder) / (std::string(GetParam()) + "-" + std::to_string(id) + ".png"))
                .string()));
    }

    TestMachine machine;
    HeadlessBackend* display = nullptr;
    std::unique_ptr<PageApplication> app;
};

TEST_P(SetupPageLayoutsTest, EveryPageIsOneSizeAndEveryTextFitsItsControl) {
    for (LONG id = kFirstPage; id <= kLastPage; ++id) {
        KIVDialog page(nullptr, id);
        ASSERT_TRUE(page.Create(WS_POPUP, 0)) << "page " << id;
        const int height = id == kProgressPage ? kProgressPageHeight : kPageHeight;
        EXPECT_EQ(page.BufferWidth(), kPageWidth) << "page " << id;
        EXPECT_EQ(page.BufferHeight(), height) << "page " << id;
        SetPageTexts(&page);
        for (int i = 0; i < page.ControlCount(); ++i) {
            const KIVControl& control = *page.ControlAt(i);
            const RECT& rect = control.GetRect();
            EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= kPageWidth &&
                        rect.bottom <= height)
                << "page " << id << " control " << control.GetId() << " leaves the page";
            const std::string misfit = Misfit(control);
            EXPECT_TRUE(misfit.empty()) << "page " << id << " control " << control.GetId() << " \""
                                        << Narrow(Text(control.GetText())) << "\": " << misfit;
        }
        SavePicture(id);
    }
}

// The messages, units and list texts the setup shows outside the layouts
// are drawn in font 0 (message boxes) and font 2 (the language list).
TEST_P(SetupPageLayoutsTest, EverySetupTextHasItsGlyphs) {
    for (LONG fontId : {0, 2}) {
        const KIVFont* font = app->GetFont(fontId);
        ASSERT_NE(font, nullptr);
        for (int id = 100; id <= 150; ++id) {
            const std::u16string text = Text(app->GetText(id));
            for (char16_t ch : text)
                EXPECT_TRUE(HasGlyph(*font, ch)) << "text " << id << " \"" << Narrow(text) << "\"";
        }
    }
}

// Item names of 31 to 44 characters as a product's components and folders
// have them, one without a blank, and one in Japanese.
constexpr const char16_t* kItemNames[] = {
    u"Orrery Planetarium Star Charts 1.4",
    u"Orrery Planetarium Documentation and Samples",
    u"C:\\Program Files\\Kiv software\\Orrery\\Charts",
    u"オーラリー・プラネタリウム星図とサンプル集",
};

// Every text of the string file, each "%s" the item name.
std::vector<std::pair<int, std::u16string>> FilledTexts(const KIVApplication& app,
                                                        const char16_t* name) {
    std::vector<std::pair<int, std::u16string>> texts;
    for (int id = 0; id < 2000; ++id) {
        std::u16string text = Text(app.GetText(id));
        for (std::size_t at; (at = text.find(u"%s")) != std::u16string::npos;)
            text.replace(at, 2, name);
        if (!text.empty())
            texts.emplace_back(id, text);
    }
    return texts;
}

// Every text the setup can show, in a message box with an icon and the
// question's buttons, with one without either, and with the widest row of
// buttons, is drawn whole: the box is as high as its label's lines.
TEST_P(SetupPageLayoutsTest, EveryTextIsDrawnWholeInAMessageBox) {
    int shown = 0;
    for (const char16_t* name : kItemNames)
        for (const auto& [id, text] : FilledTexts(*app, name))
            for (DWORD flags : {0x4000Cu, 0x0u, 0x1003Eu}) {
                int answered = 0;
                KIVMessageBoxDlg box(nullptr, text.c_str(), u"Talvic", flags, &answered, 0);
                ASSERT_TRUE(box.Create(WS_POPUP | WS_VISIBLE, 0));
                Pump();
                EXPECT_EQ(message_box_check::WholeTextMisfit(box), "")
                    << "text " << id << " \"" << Narrow(text) << "\" flags " << std::hex << flags;
                if (name == kItemNames[1] && flags == 0x4000C && (id == 104 || id == 124))
                    SavePicture(100000 + id);
                ++shown;
            }
    EXPECT_GT(shown, 1000);
}

template <class Control> bool Is(const KIVControl* control) {
    return dynamic_cast<const Control*>(control) != nullptr;
}

using Kind = bool (*)(const KIVControl*);

TEST_P(SetupPageLayoutsTest, ThePagesHaveTheControlsTheirCodeUses) {
    const Kind label = Is<KIVLabelCtrl>, button = Is<KIVTextButtonCtrl>,
               radio = Is<KIVRadioButtonCtrl>, check = Is<KIVCheckBoxCtrl>, edit = Is<KIVEditCtrl>;
    const std::vector<std::pair<LONG, Kind>> shared = {
        {1100, button}, {1101, button}, {1102, button}, {1200, Is<KIVPictureCtrl>}};
    const std::pair<LONG, std::vector<std::pair<LONG, Kind>>> pages[] = {
        {10, {}},
        {11, {{1500, label}, {1501, radio}, {1502, radio}, {1600, Is<KIVMultiLineEditCtrl>}}},
        {12, {{1000, edit}, {1001, edit}, {1003, label}, {1005, label}, {1006, label}}},
        {13, {{1000, radio}, {1001, radio}, {1002, radio}, {1300, button}, {1302, edit}}},
        {14,
         {{1000, label},
          {1001, label},
          {1002, label},
          {1006, Is<KIVControl>},
          {1300, button},
          {1302, edit}}},
        {15,
         {{1000, check},
          {1003, label},
          {1004, check},
          {1005, label},
          {1006, label},
          {1007, check}}},
        {16, {{1000, Is<KIVProgressBarCtrl>}, {1001, label}, {1102, button}}},
        {17, {{1000, label}, {1002, Is<KIVListBoxCtrl>}}},
    };
    for (auto [id, controls] : pages) {
        if (id == 15)
            controls.insert(controls.end(), {{1100, button}, {1102, button}, shared[3]});
        else if (id != 16)
            controls.insert(controls.end(), shared.begin(), shared.end());
        KIVDialog page(nullptr, id);
        ASSERT_TRUE(page.Create(WS_POPUP, 0)) << "page " << id;
        for (const auto& [control, kind] : controls)
            EXPECT_TRUE(kind(page.GetControl(control))) << "page " << id << " control " << control;
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, SetupPageLayoutsTest,
                         ::testing::Values("English", "French", "German", "Japanese"));

} // namespace
