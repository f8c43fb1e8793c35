// The application object on a fresh machine, with language resources
// compiled by kivtool rc: the language chosen from the user's default and
// its folder taken beside the program, the recorded language, the fatal and
// the incompatibility messages, texts, fonts and bitmaps, navigation keys and
// characters sent straight to their window, the composition window placed
// for the focused control, accelerators, commands and the start-up sequence.
#include "HostFiles.h"
#include "TestMachine.h"
#include "platform/Machine.h"
#include "platform/PathMap.h"
#include "platform/ui/DeviceInput.h"
#include "platform/ui/DisplayBackend.h"
#include "platform/ui/InputMethodState.h"
#include "platform/ui/MessageBoxLog.h"
#include "platform/ui/headless/HeadlessBackend.h"
#include "toolkit/KIVApplication.h"
#include "toolkit/KIVInputPosition.h"
#include "tools/KivtoolRun.h"

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

const char* const kExtensions[] = {".erf", ".erb", ".erd", ".erm", ".era", ".ers"};

// The compiled resources of three languages, made once for the whole suite.
class CompiledLanguages {
public:
    static const fs::path& Folder() {
        static CompiledLanguages compiled;
        return compiled.folder_;
    }

private:
    CompiledLanguages()
        : folder_(fs::temp_directory_path() / ("kiv-app-res-" + std::to_string(getpid()))) {
        fs::remove_all(folder_); // left by an earlier process of the same number
        Compile("English", "1 = English\n2 = Hello\n3 = Hello, %s!\n", true);
        Compile("German", "1 = Deutsch\n2 = Hallo\n3 = Hallo, %s!\n", false);
        Compile("French", "1 = Français\n2 = Bonjour\n3 = Bonjour, %s !\n", false);
    }
    void Compile(const std::string& language, const std::string& texts, bool english) {
        const fs::path source = folder_ / "sources" / language;
        WriteHostFile(source / "language.txt", "language = " + language + "\n");
        WriteHostFile(source / "texts.txt", texts);
        WriteHostFile(source / "fonts.txt",
                      "0 = /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf 13 regular\n"
                      "1 = /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf 17 bold\n");
        if (english)
            WriteHostFile(source / "accelerators.txt", "Q ctrl 2\nF1 none 100 1 7\n");
        const KivtoolRun run = RunKivtool("rc '" + source.string() + "' '" +
                                          (folder_ / language / "Setup").string() + "'");
        EXPECT_EQ(run.status, 0) << run.output;
    }
    ~CompiledLanguages() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    fs::path folder_;
};

// An application that records what its operations were asked.
class TestApplication : public KIVApplication {
public:
    using KIVApplication::KIVApplication;
    bool OpenDocument(const char16_t* path) override {
        opened = KIVString(path);
        return true;
    }
    bool NewDocument() override { return ++newDocuments > 0; }
    bool CloseDocuments() override { return false; }
    bool OnStartup() override {
        steps += "startup ";
        return startupResult;
    }
    bool CreateMainWindow() override {
        steps += "main-window ";
        if (onMainWindow)
            onMainWindow();
        return mainWindowResult;
    }
    int ExitInstance() override {
        steps += "exit ";
        return KIVApplication::ExitInstance();
    }
    void OnShutdown() override { steps += "shutdown"; }

    KIVString opened;
    int newDocuments = 0;
    std::string steps;
    bool startupResult = true;
    bool mainWindowResult = true;
    std::function<void()> onMainWindow;
};

// A window that records the messages it gets and says where its input goes.
class RecordingWindow : public CWnd, public KIVInputPosition, public KIVMessageMapHelper {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_KEYDOWN || message == WM_CHAR || message == WM_COMMAND)
            got.push_back({message, wParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }
    bool GetInputPosition(POINT* clientPoint, int* lineHeight) const override {
        *clientPoint = {40, 20};
        *lineHeight = 15;
        return true;
    }
    void UpdateCommand(KIVCommandState* state) override { state->enabled = commandsEnabled; }

    std::vector<std::pair<UINT, WPARAM>> got;
    bool commandsEnabled = true;
};

class KIVApplicationTest : public ::testing::Test {
protected:
    explicit KIVApplicationTest(unsigned userLanguage = 0x0409) : machine(Settings(userLanguage)) {
        SetDisplayBackend(std::make_unique<HeadlessBackend>());
        MessageBoxLog::Clear();
        program = machine.DriveC("Talvic/talvic.exe");
        WriteHostFile(program, "");
        Machine::SetProgramPath(program);
        RegCreateKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kiv software\\Talvic", &appKey);
    }
    ~KIVApplicationTest() override {
        Machine::SetProgramPath("");
        RegCloseKey(appKey);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    static MachineSettings Settings(unsigned userLanguage) {
        MachineSettings settings;
        settings.languageId = userLanguage;
        return settings;
    }

    // Puts a compiled language's files at C:\Talvic\<relative>talvic.er?.
    void PutLanguage(const std::string& language, const std::string& relative = "") {
        for (const char* extension : kExtensions)
            fs::copy_file(CompiledLanguages::Folder() / language /
                              (std::string("Setup") + extension),
                          machine.DriveC("Talvic/" + relative + "talvic" + extension),
                          fs::copy_options::overwrite_existing);
    }
    void MakeFolder(const std::string& relative) {
        fs::create_directories(machine.DriveC(relative));
    }

    std::string RecordedLanguage() {
        char data[64] = {};
        DWORD size = sizeof data;
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kiv software\\Talvic\\1.0", 0, KEY_READ,
                          &key) != ERROR_SUCCESS)
            return "";
        RegQueryValueExA(key, "Language", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(key);
        return data;
    }
    static bool QuitPosted() {
        MSG msg;
        return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
    }

    TestMachine machine;
    std::string program;
    HKEY appKey = nullptr;
};

class GermanUserTest : public KIVApplicationTest {
protected:
    GermanUserTest() : KIVApplicationTest(0x0407) {}
};

} // namespace

TEST_F(GermanUserTest, TakesTheGermanFolderBesideTheProgramAndRecordsTheLanguage) {
    MakeFolder("Talvic/Languages/German");
    MakeFolder("Talvic/Languages/English");
    PutLanguage("German", "Languages/German/");
    PutLanguage("English", "Languages/English/");
    TestApplication app("Talvic", "1.0", nullptr, nullptr);
    EXPECT_FALSE(fs::exists(machine.DriveC("Talvic/Languages")));
    EXPECT_TRUE(fs::exists(machine.DriveC("Talvic/talvic.ers")));
    EXPECT_EQ(app.GetText(2), u"Hallo");
    EXPECT_EQ(app.LanguageId(), 2);
    EXPECT_EQ(RecordedLanguage(), "German");
    EXPECT_TRUE(MessageBoxLog::Shown().empty());
    EXPECT_FALSE(QuitPosted());
    EXPECT_STREQ(app.HelpPath(), "C:\\Talvic\\Help\\talvic_csh.htm");
    EXPECT_EQ(app.ProgramFolder(), u"C:\\Talvic\\");
    EXPECT_EQ(app.ProgramFileName(), u"talvic.exe");
}

// The recorded language wins over the user's default.
TEST_F(GermanUserTest, TheRecordedLanguageIsTakenBeforeTheUsersDefault) {
    HKEY version = nullptr;
    ASSERT_EQ(RegCreateKeyA(appKey, "1.0", &version), ERROR_SUCCESS);
    RegSetValueExA(version, "Language", 0, REG_SZ, reinterpret_cast<const BYTE*>("French"), 7);
    RegCloseKey(version);
    MakeFolder("Talvic/Languages/French");
    MakeFolder("Talvic/Languages/German");
    PutLanguage("French", "Languages/French/");
    PutLanguage("German", "Languages/German/");
    TestApplication app("Talvic", "1.0", nullptr, nullptr);
    EXPECT_EQ(app.GetText(2), u"Bonjour");
}

TEST_F(KIVApplicationTest, AMissingFileIsFatalAndADifferingLanguageIsToldOnce) {
    PutLanguage("English");
    fs::remove(machine.DriveC("Talvic/talvic.erb"));
    {
        TestApplication app("Talvic", "1.0", nullptr, nullptr);
        ASSERT_EQ(MessageBoxLog::Shown().size(), 1u);
        EXPECT_EQ(MessageBoxLog::Shown()[0].text,
                  u"A vital file is damaged or destroyed. Please re-install the application.");
        EXPECT_EQ(MessageBoxLog::Shown()[0].caption, u"Fatal");
        EXPECT_EQ(MessageBoxLog::Shown()[0].type, MB_SETFOREGROUND | MB_OKCANCEL);
        EXPECT_TRUE(QuitPosted());
    }
    MessageBoxLog::Clear();
    PutLanguage("English");
    fs::copy_file(CompiledLanguages::Folder() / "German/Setup.ers",
                  machine.DriveC("Talvic/talvic.ers"), fs::copy_options::overwrite_existing);
    TestApplication app("Talvic", "1.0", nullptr, nullptr);
    ASSERT_EQ(MessageBoxLog::Shown().size(), 1u);
    EXPECT_EQ(MessageBoxLog::Shown()[0].text,
              u"Incompatible languages found! Please re-install the application.");
    EXPECT_FALSE(QuitPosted());
    EXPECT_EQ(app.GetText(2), u"Hallo") << "loading went on";
}

// The fallback base gives what the base lacks; a text the file does not hold
// is empty.
TEST_F(KIVApplicationTest, LoadsFromTheFallbackAndLooksUpTextsFontsAndBitmaps) {
    PutLanguage("English");
    TestApplication app("Talvic", "1.0", nullptr, nullptr);
    MakeFolder("Other");
    fs::copy_file(CompiledLanguages::Folder() / "French/Setup.ers", machine.DriveC("Other/o.ers"));
    MessageBoxLog::Clear();
    ASSERT_TRUE(app.LoadLanguage(u"C:\\Other\\o", u"C:\\Talvic\\talvic"));
    EXPECT_EQ(MessageBoxLog::Shown().size(), 1u) << "French texts with English dialogs";
    EXPECT_EQ(app.GetText(2), u"Bonjour");
    EXPECT_TRUE(app.GetText(999).IsEmpty());
    EXPECT_TRUE(app.GetText(-1).IsEmpty());
    const KIVFont* regular = app.GetFont(0);
    const KIVFont* bold = app.GetFont(1);
    ASSERT_TRUE(regular && bold);
    EXPECT_EQ(app.GetFont(1), bold) << "loaded once";
    EXPECT_GT(bold->LineHeight(), regular->LineHeight());
    EXPECT_EQ(app.GetFont(7)->LineHeight(), regular->LineHeight()) << "a missing font is font 0";
    KIVBitmapFrame frame;
    EXPECT_FALSE(app.GetBitmap(1, 0, &frame)) << "no pictures in these sources";
    EXPECT_FALSE(app.LoadLanguage(u"C:\\Nowhere\\x", nullptr));
}

// Tab, Enter, Escape, paging, arrows, Delete and characters go straight to
// their window; other keys take the usual way.
TEST_F(KIVApplicationTest, NavigationKeysAndCharactersGoStraightToTheirWindow) {
    PutLanguage("English");
    TestApplication app("Talvic", "1.0", nullptr, nullptr);
    RecordingWindow window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "dialog", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    for (const auto& [message, key] : {std::pair<UINT, WPARAM>{WM_KEYDOWN, VK_RETURN},
                                       {WM_KEYDOWN, VK_ESCAPE},
                                       {WM_KEYDOWN, VK_DELETE},
                                       {WM_CHAR, 'x'}}) {
        MSG msg{window.GetSafeHwnd(), message, key, 0, 0, {}};
        EXPECT_TRUE(app.PreTranslateMessage(&msg)) << key;
    }
    MSG other{window.GetSafeHwnd(), WM_KEYDOWN, 'A', 0, 0, {}};
    EXPECT_FALSE(app.PreTranslateMessage(&other));
    const std::vector<std::pair<UINT, WPARAM>> expected = {
        {WM_KEYDOWN, VK_RETURN}, {WM_KEYDOWN, VK_ESCAPE}, {WM_KEYDOWN, VK_DELETE}, {WM_CHAR, 'x'}};
    EXPECT_EQ(window.got, expected);

    MSG composition{window.GetSafeHwnd(), WM_IME_STARTCOMPOSITION, 0, 0, 0, {}};
    app.PreTranslateMessage(&composition);
    COMPOSITIONFORM form{};
    LOGFONTA font{};
    ASSERT_TRUE(GetCompositionRequest(window.GetSafeHwnd(), &form, &font));
    EXPECT_EQ(form.dwStyle, CFS_FORCE_POSITION);
    EXPECT_EQ(form.ptCurrentPos.x, 43);
    EXPECT_EQ(form.ptCurrentPos.y, 22);
    EXPECT_EQ(font.lfHeight, 18);
    window.DestroyWindow();
}

// "Q ctrl 2": Control alone fires command 2 on the main window; Control
// with Shift does not; a command the main window disables is not sent.
TEST_F(KIVApplicationTest, AcceleratorsMatchTheModifiersExactly) {
    PutLanguage("English");
    TestApplication app("Talvic", "1.0", nullptr, nullptr);
    RecordingWindow window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "main", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    app.m_pMainWnd = &window;
    DeviceInput::Key(VK_CONTROL, true);
    EXPECT_TRUE(app.HandleAccelerator('Q'));
    DeviceInput::Key(VK_SHIFT, true);
    EXPECT_FALSE(app.HandleAccelerator('Q'));
    DeviceInput::Key(VK_SHIFT, false);
    window.commandsEnabled = false;
    EXPECT_TRUE(app.HandleAccelerator('Q'));
    DeviceInput::Key(VK_CONTROL, false);
    EXPECT_FALSE(app.HandleAccelerator('Q'));
    EXPECT_EQ(window.got, (std::vector<std::pair<UINT, WPARAM>>{{WM_COMMAND, 2}}));
    KIVString text;
    int value = 0;
    ASSERT_TRUE(app.GetAcceleratorText(2, &text, &value));
    EXPECT_EQ(text, u"Ctrl+Q");
    ASSERT_TRUE(app.GetAcceleratorText(100, &text, &value));
    EXPECT_EQ(text, u"F1");
    EXPECT_EQ(value, 7);
    EXPECT_FALSE(app.GetAcceleratorText(3, &text, &value));
    app.m_pMainWnd = nullptr;
    window.DestroyWindow();
}

TEST_F(KIVApplicationTest, TheNewCommandAndTheRecentFileCommands) {
    PutLanguage("English");
    TestApplication app("Talvic", "1.0", nullptr, nullptr);
    KIVCommandState recent;
    recent.command = 80;
    app.UpdateCommand(&recent);
    EXPECT_FALSE(recent.enabled) << "an empty list";
    EXPECT_FALSE(app.RouteCommand(80));
    app.AddRecentFile(u"C:\\a.txt");
    app.AddRecentFile(u"C:\\b.txt");
    recent.enabled = true;
    app.UpdateCommand(&recent);
    EXPECT_TRUE(recent.enabled);
    recent.command = 82;
    app.UpdateCommand(&recent);
    EXPECT_FALSE(recent.enabled);
    EXPECT_TRUE(app.RouteCommand(81));
    EXPECT_EQ(app.opened, u"C:\\a.txt");
    EXPECT_TRUE(app.RouteCommand(79));
    EXPECT_EQ(app.newDocuments, 1);
    EXPECT_EQ(ReadHostFile(machine.DriveC("Talvic/talvic.mru")), "C:\\b.txt\r\nC:\\a.txt\r\n");
}

// The start-up runs its steps in order and OnShutdown always comes last; the
// message loop's result is the program's.
TEST_F(KIVApplicationTest, TheStartUpSequence) {
    PutLanguage("English");
    {
        TestApplication app("Talvic", "1.0", nullptr, nullptr);
        app.startupResult = false;
        EXPECT_EQ(app.RunProgram(nullptr, nullptr, 0), -1);
        EXPECT_EQ(app.steps, "startup shutdown");
    }
    {
        TestApplication app("Talvic", "1.0", nullptr, nullptr);
        app.mainWindowResult = false;
        EXPECT_EQ(app.RunProgram(nullptr, nullptr, 0), 0);
        EXPECT_EQ(app.steps, "startup main-window exit shutdown");
    }
    TestApplication app("Talvic", "1.0", nullptr, nullptr);
    app.onMainWindow = [] { PostQuitMessage(5); };
    EXPECT_EQ(app.RunProgram(nullptr, nullptr, 0), 5);
    EXPECT_EQ(app.steps, "startup main-window exit shutdown");
    EXPECT_TRUE(app.IsEnabled());
    EXPECT_EQ(app.ImageTables().brighten[0], 40);
    EXPECT_EQ(app.ImageTables().brighten[255], 255);
    EXPECT_EQ(app.ImageTables().root[63], 127);
    EXPECT_EQ(app.ImageTables().root[255], 255);
}
