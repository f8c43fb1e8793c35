// The folder browser driven by injected keys and clicks on the headless
// screen: the tree of drives and folders, branches opened and closed, the
// typed path, new folders, OK and Cancel, and the callback's messages.
#include "DialogFixture.h"
#include "TextContrast.h"
#include "platform/ShlObj.h"
#include "platform/ui/DeviceInput.h"
#include "toolkit/KIVFolderBrowser.h"
#include "toolkit/KIVFolderBrowserTree.h"
#include "toolkit/drawing/KIVWindowFrame.h"

#include <string>
#include <vector>

using namespace dialog_test;

namespace {

constexpr UINT kSetupFlags =
    BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;

// What the callback heard: the message and, for a new selection, its path.
struct Heard {
    std::vector<std::pair<UINT, std::string>> messages;
    HWND window = nullptr;
    bool refuseAll = false; // answer every selection with ENABLEOK 0
};

int Listen(HWND hwnd, UINT message, LPARAM lParam, LPARAM data) {
    Heard* heard = reinterpret_cast<Heard*>(data);
    heard->window = hwnd;
    char path[MAX_PATH] = {};
    if (message == BFFM_SELCHANGED)
        SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), path);
    heard->messages.emplace_back(message, path);
    if (message == BFFM_SELCHANGED) {
        SendMessageA(hwnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
        SendMessageA(hwnd, BFFM_ENABLEOK, 0, heard->refuseAll ? 0 : 1);
    }
    return 0;
}

class FolderBrowserTest : public DialogTest {
protected:
    FolderBrowserTest() {
        for (const char* folder : {"Maker/Alpha", "Maker/beta/Deep", "Maker/Gamma"})
            std::filesystem::create_directories(machine.DriveC(folder));
        WriteHostFile(machine.DriveC("Maker/notes.txt"), "not a folder");
        std::filesystem::create_directories(machine.Root() + "/drive_d");
    }
    ~FolderBrowserTest() override {
        if (browser)
            browser->DestroyWindow();
    }

    void Open(UINT flags = kSetupFlags) {
        info.ulFlags = flags;
        info.lpfn = &Listen;
        info.lParam = reinterpret_cast<LPARAM>(&heard);
        FolderBrowseRequest request;
        request.info = &info;
        browser = std::make_unique<KIVFolderBrowser>(request);
        ASSERT_TRUE(browser->Create(WS_POPUP | WS_VISIBLE, 0));
        ::SetActiveWindow(*browser);
        ::SetFocus(*browser);
        Run();
    }
    void Run() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (app->PreTranslateMessage(&msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    void Press(int key) {
        DeviceInput::Key(key, true);
        DeviceInput::Key(key, false);
        Run();
    }
    void Type(const std::u16string& text) {
        DeviceInput::Text(text);
        Run();
    }
    void Click(POINT client, int times = 1) {
        ClientToScreen(*browser, &client);
        for (int i = 0; i < times; ++i) {
            DeviceInput::MouseButton(VK_LBUTTON, true, client);
            DeviceInput::MouseButton(VK_LBUTTON, false, client);
        }
        Run();
    }
    POINT LineCentre(int index) {
        const RECT rect = Tree().LineRect(index);
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    KIVFolderBrowserTree& Tree() { return *browser->Tree(); }
    std::u16string Selected() { return Tree().SelectedPath(); }
    std::u16string Field() {
        return static_cast<const char16_t*>(
            browser->GetControl(KIVFolderBrowser::kPathId)->GetText());
    }
    std::vector<std::u16string> Lines() {
        std::vector<std::u16string> lines;
        for (int i = 0; i < Tree().GetLineCount(); ++i)
            lines.emplace_back(static_cast<const char16_t*>(Tree().GetLine(i)->GetText()));
        return lines;
    }
    KIVFolderBrowserLine* Line(int index) {
        return static_cast<KIVFolderBrowserLine*>(Tree().GetLine(index));
    }
    int Depth(int index) { return Line(index)->Depth(); }

    BROWSEINFOA info{};
    Heard heard;
    std::unique_ptr<KIVFolderBrowser> browser;
};

} // namespace

TEST_F(FolderBrowserTest, TheTopLevelIsTheMachinesDrivesWithTheFirstSelectedAndTold) {
    Open();
    EXPECT_EQ(Lines(), (std::vector<std::u16string>{u"C:", u"D:", u"Z:"}));
    EXPECT_EQ(Selected(), u"C:\\");
    EXPECT_EQ(Field(), u"C:\\");
    ASSERT_GE(heard.messages.size(), 2u);
    EXPECT_EQ(heard.messages[0].first, static_cast<UINT>(BFFM_INITIALIZED));
    EXPECT_EQ(heard.messages[1], (std::pair<UINT, std::string>{BFFM_SELCHANGED, "C:\\"}));
    EXPECT_EQ(heard.window, browser->GetSafeHwnd());
}

TEST_F(FolderBrowserTest, KeysOpenBranchesMoveThroughThemAndCloseThem) {
    Open();
    ASSERT_TRUE(browser->SelectFolder(u"C:\\Maker"));
    Press(VK_RIGHT); // opens Maker: its folders only, in name order without regard to case
    const int maker = Tree().GetCurrentLine();
    EXPECT_EQ(Lines()[maker + 1], u"Alpha");
    EXPECT_EQ(Lines()[maker + 2], u"beta");
    EXPECT_EQ(Lines()[maker + 3], u"Gamma");
    EXPECT_EQ(Depth(maker + 4), 1); // the next folder of C:, no notes.txt
    Press(VK_RIGHT);                // on an open branch: its first folder
    EXPECT_EQ(Selected(), u"C:\\Maker\\Alpha");
    // Alpha holds no folders: no mark, and Right leaves it as it is.
    EXPECT_FALSE(Tree().Selected()->MayHaveChildren());
    EXPECT_TRUE(Line(maker + 2)->MayHaveChildren());
    Press(VK_RIGHT);
    EXPECT_EQ(Selected(), u"C:\\Maker\\Alpha");
    EXPECT_FALSE(Tree().Selected()->IsOpen());
    Press(VK_DOWN);
    Press(VK_ADD);
    EXPECT_EQ(Lines()[maker + 3], u"Deep");
    Press(VK_SUBTRACT);
    EXPECT_EQ(Lines()[maker + 3], u"Gamma");
    Press(VK_LEFT); // closed: up to the parent
    EXPECT_EQ(Selected(), u"C:\\Maker");
    Press(VK_LEFT); // open: closed
    EXPECT_EQ(Selected(), u"C:\\Maker");
    EXPECT_EQ(Depth(maker + 1), 1);
    Press(VK_END);
    EXPECT_EQ(Selected(), u"Z:\\");
    Press(VK_HOME);
    EXPECT_EQ(Selected(), u"C:\\");
    EXPECT_EQ(Field(), u"C:\\");
}

TEST_F(FolderBrowserTest, ClosingABranchMovesASelectionInsideItToTheBranch) {
    Open();
    ASSERT_TRUE(browser->SelectFolder(u"C:\\Maker\\beta\\Deep"));
    Tree().CloseBranch(Tree().Selected()->Parent()->Parent());
    EXPECT_EQ(Selected(), u"C:\\Maker");
}

TEST_F(FolderBrowserTest, ADoubleClickOpensABranchAndASecondOneClosesIt) {
    Open();
    Click(LineCentre(0), 2);
    EXPECT_EQ(Selected(), u"C:\\");
    EXPECT_TRUE(Tree().Selected()->IsOpen());
    const int count = Tree().GetLineCount();
    EXPECT_GT(count, 3);
    Click(LineCentre(0), 2);
    EXPECT_EQ(Tree().GetLineCount(), 3);
}

TEST_F(FolderBrowserTest, SetSelectionOpensTheBranchesWithoutRegardToCaseAndTrailingBackslash) {
    Open();
    const char path[] = "c:\\MAKER\\Beta\\deep\\";
    EXPECT_EQ(SendMessageA(*browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path)), 1);
    EXPECT_EQ(Selected(), u"C:\\Maker\\beta\\Deep");
    EXPECT_EQ(Field(), u"C:\\Maker\\beta\\Deep");
    EXPECT_EQ(heard.messages.back().second, "C:\\Maker\\beta\\Deep");
    // A folder that does not exist: the deepest one that does is selected.
    EXPECT_EQ(SendMessageA(*browser, BFFM_SETSELECTIONA, TRUE,
                           reinterpret_cast<LPARAM>("C:\\Maker\\Missing")),
              0);
    EXPECT_EQ(Selected(), u"C:\\Maker");
}

TEST_F(FolderBrowserTest, SetSelectionTakesAnItemListWhenWParamIsFalse) {
    Open();
    LPITEMIDLIST item = ILCreateFromPathA("C:\\Maker\\Gamma");
    EXPECT_EQ(SendMessageA(*browser, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(item)), 1);
    ILFree(item);
    EXPECT_EQ(Selected(), u"C:\\Maker\\Gamma");
}

TEST_F(FolderBrowserTest, EnterChoosesTheSelectionAndEscapeChoosesNothing) {
    Open();
    browser->SelectFolder(u"C:\\Maker\\Alpha");
    Press(VK_RETURN);
    EXPECT_TRUE(browser->HasEnded());
    EXPECT_EQ(browser->Chosen(), u"C:\\Maker\\Alpha");
    Open();
    Press(VK_ESCAPE);
    EXPECT_TRUE(browser->HasEnded());
    EXPECT_EQ(browser->Chosen(), u"");
}

TEST_F(FolderBrowserTest, ATypedPathThatDoesNotExistYetIsChosenByOK) {
    Open();
    browser->SelectFolder(u"C:\\Maker");
    Press(VK_TAB);
    Type(u"C:\\Maker\\Product\\ ");
    Click(POINT{browser->GetControl(IDOK)->GetRect().left + 5,
                browser->GetControl(IDOK)->GetRect().top + 5});
    EXPECT_EQ(browser->Chosen(), u"C:\\Maker\\Product");
    Open();
    browser->SelectFolder(u"C:\\Maker");
    Press(VK_TAB);
    Type(u"Product");
    Press(VK_RETURN);
    EXPECT_EQ(browser->Chosen(), u"C:\\Maker\\Product");
}

TEST_F(FolderBrowserTest, ADriveTypedAloneIsItsRootAndAnOverlongPathKeepsTheBrowserOpen) {
    Open();
    Press(VK_TAB);
    Type(u"D:");
    Press(VK_RETURN);
    EXPECT_EQ(browser->Chosen(), u"D:\\");
    Open();
    Press(VK_TAB);
    Type(u"C:\\" + std::u16string(MAX_PATH, u'a'));
    Press(VK_RETURN);
    EXPECT_FALSE(browser->HasEnded());
    EXPECT_EQ(browser->Chosen(), u"");
}

TEST_F(FolderBrowserTest, NewFolderMakesANumberedFolderUnderTheSelectionAndSelectsIt) {
    Open();
    browser->SelectFolder(u"C:\\Maker\\Alpha");
    const RECT button = browser->GetControl(KIVFolderBrowser::kNewFolderId)->GetRect();
    Click(POINT{button.left + 5, button.top + 5});
    EXPECT_EQ(Selected(), u"C:\\Maker\\Alpha\\New folder");
    EXPECT_TRUE(std::filesystem::is_directory(machine.DriveC("Maker/Alpha/New folder")));
    browser->SelectFolder(u"C:\\Maker\\Alpha");
    EXPECT_TRUE(browser->MakeNewFolder());
    EXPECT_EQ(Selected(), u"C:\\Maker\\Alpha\\New folder (2)");
    EXPECT_EQ(Field(), u"C:\\Maker\\Alpha\\New folder (2)");
    EXPECT_EQ(heard.messages.back().second, "C:\\Maker\\Alpha\\New folder (2)");
}

TEST_F(FolderBrowserTest, EnableOKZeroKeepsEnterAndTheButtonFromChoosing) {
    heard.refuseAll = true;
    Open(kSetupFlags | BIF_STATUSTEXT);
    EXPECT_FALSE(browser->IsOKEnabled());
    EXPECT_FALSE(browser->GetControl(IDOK)->IsEnabled());
    EXPECT_EQ(browser->GetControl(KIVFolderBrowser::kStatusId)->GetText(), u"C:\\");
    EXPECT_TRUE(browser->GetControl(KIVFolderBrowser::kStatusId)->IsVisible());
    Press(VK_RETURN);
    EXPECT_FALSE(browser->HasEnded());
    SendMessageA(*browser, BFFM_ENABLEOK, 0, 1);
    Press(VK_RETURN);
    EXPECT_EQ(browser->Chosen(), u"C:\\");
}

TEST_F(FolderBrowserTest, WithoutTheFlagsTheFieldStatusAndNewFolderAreHidden) {
    Open(BIF_RETURNONLYFSDIRS);
    EXPECT_FALSE(browser->GetControl(KIVFolderBrowser::kPathId)->IsVisible());
    EXPECT_FALSE(browser->GetControl(KIVFolderBrowser::kStatusId)->IsVisible());
    EXPECT_FALSE(browser->GetControl(KIVFolderBrowser::kNewFolderId)->IsVisible());
}

TEST_F(FolderBrowserTest, SHBrowseForFolderRunsTheBrowserAndFillsNameAndImage) {
    char name[MAX_PATH] = "untouched";
    info.pszDisplayName = name;
    info.ulFlags = kSetupFlags;
    info.lParam = reinterpret_cast<LPARAM>(&heard);
    // At its start the browser selects Alpha, then Enter is pressed.
    info.lpfn = [](HWND hwnd, UINT message, LPARAM, LPARAM) {
        if (message == BFFM_INITIALIZED) {
            SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE,
                         reinterpret_cast<LPARAM>("C:\\Maker\\Alpha"));
            ::SetActiveWindow(hwnd);
            ::SetFocus(hwnd);
            DeviceInput::Key(VK_RETURN, true);
            DeviceInput::Key(VK_RETURN, false);
        }
        return 0;
    };
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    ASSERT_NE(item, nullptr);
    char path[MAX_PATH] = {};
    EXPECT_TRUE(SHGetPathFromIDListA(item, path));
    ILFree(item);
    EXPECT_STREQ(path, "C:\\Maker\\Alpha");
    EXPECT_STREQ(name, "Alpha");
    EXPECT_EQ(info.iImage, 3);
}

TEST_F(FolderBrowserTest, TheSelectedFolderIsDrawnInTheSelectionColour) {
    Open(kSetupFlags | BIF_STATUSTEXT);
    browser->SelectFolder(u"C:\\Maker\\beta\\Deep");
    Press(VK_UP);
    Pump();
    // The selected line is drawn in the list's selection colour.
    const POINT centre = LineCentre(Tree().GetCurrentLine());
    EXPECT_EQ(ScreenPixel(*browser, Tree().LineRect(Tree().GetCurrentLine()).right - 2, centre.y),
              KIVListBoxCtrl::kSelectedBackground);
}

// The browser is a window of its own: outlined, titled, every control below
// the band and inside the outline, every text readable.
TEST_F(FolderBrowserTest, TheBrowserIsFramedAndTitledWithItsControlsBelowTheBand) {
    info.lpszTitle = "Choose the folder to install into.";
    Open(kSetupFlags | BIF_STATUSTEXT);
    Pump();
    const int w = browser->BufferWidth(), h = browser->BufferHeight();
    EXPECT_EQ(browser->PixelAt(0, 0) & 0xFFFFFF, KIVLook::kEdge);
    EXPECT_EQ(browser->PixelAt(w - 2, h - 2) & 0xFFFFFF, KIVLook::kEdge);
    const auto title = text_contrast::MeasureInk(*browser, KIVWindowFrame::Band(w));
    EXPECT_EQ(title.background, KIVLook::kTitleBand);
    EXPECT_GE(title.Ratio(), text_contrast::kReadable);
    EXPECT_GT(title.inkPixels, 40);
    for (int i = 0; i < browser->ControlCount(); ++i) {
        const RECT rect = browser->ControlAt(i)->GetRect();
        EXPECT_GE(rect.top, KIVWindowFrame::kContentTop) << browser->ControlAt(i)->GetId();
        EXPECT_LE(rect.bottom, h - KIVWindowFrame::kOutline) << browser->ControlAt(i)->GetId();
    }
    EXPECT_GE(text_contrast::ExpectReadableText(*browser, "folder browser"), 5);
}
