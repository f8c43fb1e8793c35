// CDirDialog run through the shell's browser on the headless screen, with
// the English language resources the build compiles: the initial folder,
// the caption, the selection check with its status line and OK, the root
// folder, and the path of the choice.
#include "HostFiles.h"
#include "TestMachine.h"
#include "platform/ui/DeviceInput.h"
#include "platform/ui/DisplayBackend.h"
#include "platform/ui/headless/HeadlessBackend.h"
#include "platform/ui/headless/PngFile.h"
#include "toolkit/KIVApplication.h"
#include "toolkit/KIVFolderBrowser.h"
#include "toolkit/drawing/KIVLook.h"
#include "wizard/CDirDialog.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <utility>

namespace {

namespace fs = std::filesystem;

class SetupApplication : public KIVApplication {
public:
    SetupApplication() : KIVApplication("Setup", "1.0", nullptr, nullptr) {}
    bool OpenDocument(const char16_t*) override { return true; }
    bool NewDocument() override { return true; }
    bool CloseDocuments() override { return true; }
};

// What the user does is asked for while the browser is being made or told
// of a selection, and done once its modal loop runs, through a timer of the
// thread.
std::vector<std::function<void(HWND)>>& PendingActions() {
    static std::vector<std::function<void(HWND)>> actions;
    return actions;
}

std::string& CaptionSeen() {
    static std::string caption;
    return caption;
}

void DoPendingActions(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    HWND browser = KIVDialog::ModalStack().back();
    char caption[64] = {};
    ::GetWindowTextA(browser, caption, sizeof caption);
    CaptionSeen() = caption;
    for (const auto& action : std::exchange(PendingActions(), {}))
        action(browser);
}

void Later(std::function<void(HWND)> action) {
    if (PendingActions().empty())
        ::SetTimer(nullptr, 0, 1, &DoPendingActions);
    PendingActions().push_back(std::move(action));
}

void PressKey(int key) {
    Later([key](HWND browser) {
        ::SetActiveWindow(browser);
        ::SetFocus(browser);
        DeviceInput::Key(key, true);
        DeviceInput::Key(key, false);
    });
}

// Paints what waits to be painted, as the modal loop would before it idles.
void DispatchPendingPaints() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        DispatchMessageW(&msg);
}

KIVFolderBrowser& Browser() {
    return *dynamic_cast<KIVFolderBrowser*>(
        CWnd::FromHandlePermanent(KIVDialog::ModalStack().back()));
}

// A browser whose user acts through the selection check: each check is
// recorded, and then the script decides what to answer and which key to
// press.
class ScriptedDirDialog : public CDirDialog {
public:
    bool CheckSelection(const char* path, std::string* status) override {
        checked.emplace_back(path);
        return script ? script(path, status) : true;
    }
    std::vector<std::string> checked;
    std::function<bool(const std::string& path, std::string* status)> script;
};

class DirDialogTest : public ::testing::Test {
protected:
    DirDialogTest() {
        auto backend = std::make_unique<HeadlessBackend>();
        display = backend.get();
        SetDisplayBackend(std::move(backend));
        const std::string program = machine.DriveC("Setup/setup.exe");
        WriteHostFile(program, "");
        Machine::SetProgramPath(program);
        const fs::path resources =
            fs::path(KIVTOOL_PATH).parent_path().parent_path() / "resources" / "English";
        for (const char* extension : {".erf", ".erb", ".erd", ".erm", ".era", ".ers"})
            fs::copy_file(resources / (std::string("Setup") + extension),
                          machine.DriveC(std::string("Setup/setup") + extension));
        app = std::make_unique<SetupApplication>();
        for (const char* folder : {"Maker/Product", "Maker/Other"})
            fs::create_directories(machine.DriveC(folder));
    }
    ~DirDialogTest() override {
        app.reset();
        Machine::SetProgramPath("");
    }

    TestMachine machine;
    HeadlessBackend* display = nullptr;
    std::unique_ptr<SetupApplication> app;
    ScriptedDirDialog dialog;
};

} // namespace

TEST_F(DirDialogTest, AnInitialFolderWithATrailingBackslashOpensOnThatFolder) {
    dialog.SetCaption("Select folder");
    dialog.SetInitialFolder("C:\\Maker\\Product\\  ");
    dialog.script = [](const std::string& path, std::string*) {
        if (path == "C:\\Maker\\Product")
            PressKey(VK_RETURN);
        return true;
    };
    ASSERT_TRUE(dialog.Run(nullptr));
    EXPECT_STREQ(dialog.Path(), "C:\\Maker\\Product");
    EXPECT_EQ(dialog.ImageIndex(), 3);
    ASSERT_FALSE(dialog.checked.empty());
    EXPECT_EQ(dialog.checked.front(), "C:\\Maker\\Product"); // no detour by C:
    EXPECT_EQ(CaptionSeen(), "Select folder");
}

TEST_F(DirDialogTest, ChoosingADriveGivesItsRootAndTheDriveImage) {
    dialog.SetInitialFolder("C:\\");
    dialog.script = [](const std::string&, std::string*) {
        PressKey(VK_RETURN);
        return true;
    };
    ASSERT_TRUE(dialog.Run(nullptr));
    EXPECT_STREQ(dialog.Path(), "C:\\");
    EXPECT_EQ(dialog.ImageIndex(), 8);
}

TEST_F(DirDialogTest, CancellingChoosesNothingAndLeavesThePathEmpty) {
    dialog.SetInitialFolder("C:\\Maker");
    dialog.script = [](const std::string&, std::string*) {
        PressKey(VK_ESCAPE);
        return true;
    };
    EXPECT_FALSE(dialog.Run(nullptr));
    EXPECT_STREQ(dialog.Path(), "");
}

TEST_F(DirDialogTest, TheSelectionCheckDisablesOKAndFillsTheStatusLine) {
    dialog.SetStatusLine(true);
    dialog.SetInitialFolder("C:\\Maker\\Other");
    std::vector<std::string> statuses;
    dialog.script = [&statuses](const std::string& path, std::string* status) {
        if (path == "C:\\Maker\\Other") {
            *status = "Not this one";
            PressKey(VK_RETURN); // refused: OK is disabled by the answer below
            PressKey(VK_UP);     // to C:\Maker
            return false;
        }
        statuses.emplace_back(static_cast<const char16_t*>(
                                  Browser().GetControl(KIVFolderBrowser::kStatusId)->GetText()) ==
                                      std::u16string(u"Not this one")
                                  ? "kept"
                                  : "lost");
        PressKey(VK_RETURN);
        return true;
    };
    ASSERT_TRUE(dialog.Run(nullptr));
    EXPECT_STREQ(dialog.Path(), "C:\\Maker");
    EXPECT_EQ(statuses, (std::vector<std::string>{"kept"}));
}

TEST_F(DirDialogTest, ARootFolderIsTheTopOfTheTreeAndAMissingOneFailsTheRun) {
    dialog.SetRoot("C:\\Maker");
    dialog.script = [](const std::string& path, std::string*) {
        if (path == "C:\\Maker")
            PressKey(VK_END);
        else
            PressKey(VK_RETURN);
        return true;
    };
    ASSERT_TRUE(dialog.Run(nullptr));
    EXPECT_STREQ(dialog.Path(), "C:\\Maker\\Product") << "the last folder of the open root";
    ScriptedDirDialog missing;
    missing.SetRoot("C:\\Nowhere");
    EXPECT_FALSE(missing.Run(nullptr));
    EXPECT_TRUE(missing.checked.empty());
}

// The browser as the setup type page opens it, saved as a picture of the
// screen (KIV_SCREENSHOT_DIR keeps a copy, for the documentation).
TEST_F(DirDialogTest, TheBrowserShowsItsCaptionTreeFieldAndButtons) {
    const std::string shot = machine.Root() + "/folder-browser.png";
    dialog.SetCaption("Select folder");
    dialog.SetInitialFolder("C:\\Maker\\Product");
    bool saved = false;
    dialog.script = [&](const std::string&, std::string*) {
        Later([&](HWND) {
            DispatchPendingPaints();
            saved = display->SaveScreen(shot);
        });
        PressKey(VK_ESCAPE);
        return true;
    };
    EXPECT_FALSE(dialog.Run(nullptr));
    ASSERT_TRUE(saved);
    std::vector<std::uint32_t> pixels;
    int width = 0, height = 0;
    ASSERT_TRUE(ReadPng(shot, &pixels, &width, &height));
    EXPECT_EQ(width, 1024);
    // The browser's title band and outline stand out on the screen.
    const auto band = std::count_if(pixels.begin(), pixels.end(), [](std::uint32_t pixel) {
        return (pixel & 0xFFFFFF) == KIVLook::kTitleBand;
    });
    const auto edge = std::count_if(pixels.begin(), pixels.end(), [](std::uint32_t pixel) {
        return (pixel & 0xFFFFFF) == KIVLook::kEdge;
    });
    EXPECT_GT(band, 300 * 20);
    EXPECT_GT(edge, 2 * (2 * 360 + 2 * 400));
    if (const char* folder = std::getenv("KIV_SCREENSHOT_DIR"))
        fs::copy_file(shot, fs::path(folder) / "folder-browser.png",
                      fs::copy_options::overwrite_existing);
}
