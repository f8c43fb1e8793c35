// A fresh machine with a headless display and an application whose dialog
// file holds the layouts the dialog tests use, compiled once by kivtool rc.
#pragma once

#include "HostFiles.h"
#include "TestMachine.h"
#include "platform/Machine.h"
#include "platform/ui/DisplayBackend.h"
#include "platform/ui/headless/HeadlessBackend.h"
#include "toolkit/KIVApplication.h"
#include "toolkit/KIVDialog.h"
#include "tools/KivtoolRun.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

namespace dialog_test {

namespace fs = std::filesystem;

// The pictures are the toolkit's own (resources/English/pictures).
//
// Dialog 10: centred 400 x 300 with default margins; a label, a plain
// control whose record carries three fields more than it reads, a record of
// an unknown type, and a second label after them.
// Dialog 11: beside its parent, not shown at the end of initialisation.
inline const char* const kDialogs = R"(dialog 10
  window 0 0 400 300
  margins -1 -1
  flags 0x2001
  title "Ten"
  control Label 1000 10 10 200 30 font=0 text="Hello"
  control 1 1001 10 40 60 60 fields=7,8,9
  control 99 1002 10 70 60 90 text="lost"
  control Label 1003 10 100 200 120 text="After" tooltip="Tip"
end
dialog 11
  window 30 40 200 100
  margins 5 7
  flags 0x8000
  title "Eleven"
end
)";

class CompiledDialogs {
public:
    static const fs::path& Folder() {
        static CompiledDialogs compiled;
        return compiled.folder_;
    }

private:
    CompiledDialogs()
        : folder_(fs::temp_directory_path() / ("kiv-dlg-res-" + std::to_string(getpid()))) {
        fs::remove_all(folder_); // left by an earlier process of the same number
        const fs::path source = folder_ / "English";
        WriteHostFile(source / "language.txt", "language = English\n");
        // Text 6 (the Abort button) is too long for a 60-pixel button.
        WriteHostFile(source / "texts.txt", "1 = English\n6 = Abort the whole setup\n");
        WriteHostFile(source / "fonts.txt",
                      "0 = /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf 13 regular\n");
        WriteHostFile(source / "dialogs.txt", kDialogs + MoreLayouts());
        fs::copy(fs::path(KIV_TEST_DATA) / "../../resources/English/pictures", source / "pictures");
        const KivtoolRun run =
            RunKivtool("rc '" + source.string() + "' '" + (folder_ / "Setup").string() + "'");
        EXPECT_EQ(run.status, 0) << run.output;
    }
    // The layouts of tests/data/dialogs/*.txt, in name order, after the
    // fixture's own: each group of tests keeps its dialogs in a file there.
    static std::string MoreLayouts() {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(fs::path(KIV_TEST_DATA) / "dialogs"))
            if (entry.path().extension() == ".txt")
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        std::string layouts;
        for (const fs::path& file : files)
            layouts += ReadHostFile(file.string());
        return layouts;
    }
    ~CompiledDialogs() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    fs::path folder_;
};

class DialogApplication : public KIVApplication {
public:
    DialogApplication() : KIVApplication("Talvic", "1.0", nullptr, nullptr) {}
    bool OpenDocument(const char16_t* path) override {
        opened.push_back(path);
        return true;
    }
    bool NewDocument() override { return true; }
    bool CloseDocuments() override { return true; }
    std::vector<std::u16string> opened; // documents, in the order opened
};

// A screen whose full-screen area is 1024 x 738 (the caption and the task
// bar taken from 786 lines).
inline MachineSettings DialogScreen() {
    MachineSettings settings;
    settings.screenHeight = 786;
    return settings;
}

class DialogTest : public ::testing::Test {
protected:
    DialogTest() : machine(DialogScreen()) {
        auto backend = std::make_unique<HeadlessBackend>();
        display = backend.get();
        SetDisplayBackend(std::move(backend));
        const std::string program = machine.DriveC("Talvic/talvic.exe");
        WriteHostFile(program, "");
        Machine::SetProgramPath(program);
        for (const char* extension : {".erf", ".erb", ".erd", ".erm", ".era", ".ers"})
            fs::copy_file(CompiledDialogs::Folder() / (std::string("Setup") + extension),
                          machine.DriveC(std::string("Talvic/talvic") + extension),
                          fs::copy_options::overwrite_existing);
        app = std::make_unique<DialogApplication>();
    }
    ~DialogTest() override {
        app.reset();
        Machine::SetProgramPath("");
        Pump();
    }

    // Dispatches what the queue holds, paints included.
    static void Pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    // The screen pixel at a point of a window's client area.
    std::uint32_t ScreenPixel(HWND hwnd, int x, int y) const {
        POINT at{x, y};
        ClientToScreen(hwnd, &at);
        int width = 0, height = 0;
        const std::vector<std::uint32_t> screen = display->ComposeScreen(&width, &height);
        return screen[static_cast<std::size_t>(at.y) * width + at.x] & 0x00FFFFFF;
    }

    TestMachine machine;
    HeadlessBackend* display = nullptr;
    std::unique_ptr<DialogApplication> app;
};

} // namespace dialog_test
