// KIVApplication: the toolkit's application object, one per process, on the
// user-interface thread. It chooses the user-interface language and loads
// the six language resource files (fonts ".erf", bitmaps ".erb", dialogs
// ".erd", menus ".erm", accelerators ".era", texts ".ers"), records the
// language in the registry, runs the start-up sequence, the message loop and
// the idle processing, hands navigation keys and characters straight to
// their window, places the input method's composition window, and looks up
// accelerators, texts, fonts and bitmaps by identifier.
//
// Language identifiers: 0 English, 1 French, 2 German, 3 Japanese, 4 Italian,
// 5 Spanish (KIVLanguageNames.h); the names are the folders under
// "Languages" and the registry value.
#pragma once

#include "platform/mfc/AfxWin.h"
#include "toolkit/KIVImageTables.h"
#include "toolkit/KIVMessageMapHelper.h"
#include "toolkit/KIVRecentFiles.h"
#include "toolkit/KIVString.h"
#include "toolkit/resources/KIVAcceleratorTable.h"
#include "toolkit/resources/KIVBitmapFile.h"
#include "toolkit/resources/KIVFont.h"

#include <deque>
#include <functional>
#include <memory>
#include <vector>

class KIVApplication : public CWinApp, public KIVMessageMapHelper {
public:
    // The six files of one resource base, in the order of the paths.
    enum ResourceFile { kFontFile, kBitmapFile, kDialogFile, kMenuFile, kAcceleratorFile,
                        kStringFile, kResourceFileCount };
    static constexpr int kCommandNew = 79;
    static constexpr int kFirstRecentCommand = 80;
    static constexpr int kLastRecentCommand = 99;

    // Chooses the language (the one recorded in the registry,
    // KIVLanguageSetting.h, else the user's default language), puts its
    // folder's files beside the program, and loads the
    // resources from "<program folder><resourceBaseName>" (or the program's
    // path without its extension when the name is null). A failure shows its
    // fatal message and posts a quit message. registryFile null: the system
    // registry.
    KIVApplication(const char* applicationName, const char* versionName,
                   const char16_t* resourceBaseName, const char16_t* registryFile);
    ~KIVApplication() override;

    // The process-wide application object, or null before it is made.
    static KIVApplication* Get();

    // The start-up sequence: AfxWinInit, InitApplication, OnStartup and
    // InitInstance; then Run, whose result is returned. When InitInstance
    // fails the main window is destroyed and ExitInstance gives the result;
    // an earlier failure gives -1. AfxWinTerm and OnShutdown run in every case.
    int RunProgram(HINSTANCE instance, LPSTR commandLine, int showCommand);

    // [SECTION] Overrides of the framework's application
    BOOL InitInstance() override;
    BOOL PreTranslateMessage(MSG* message) override;
    BOOL OnIdle(LONG count) override;

    // [SECTION] The toolkit's own operations
    virtual bool OnStartup() { return true; }
    virtual bool CreateMainWindow() { return true; }
    virtual void OnShutdown() {}
    virtual bool HandleAccelerator(int keyCode);
    // The accelerator of a command: its text ("Ctrl+Shift+K") and value.
    virtual bool GetAcceleratorText(int command, KIVString* text, int* value) const;
    virtual void EnableApplication(bool enable);
    virtual bool HasMainWindow() const { return m_pMainWnd != nullptr; }
    virtual CWnd* GetMainWindow() const { return m_pMainWnd; }
    // Runs the work left for the next idle pass; whether there was any.
    bool RunPendingItems();
    // One round-robin step of the running worker threads' idle work.
    virtual bool RunIdleTasks(LONG count);
    // Dispatches messages until the queue is empty; a WM_QUIT is posted again
    // and ends it. False when it met a WM_QUIT.
    virtual bool DispatchPendingMessages();
    virtual bool OpenDocument(const char16_t* path) = 0;
    virtual bool NewDocument() = 0;
    virtual bool CloseDocuments() = 0;
    virtual void OnCommandNew() { NewDocument(); }

    void UpdateCommand(KIVCommandState* state) override;
    bool RouteCommand(int command) override;

    // [SECTION] Language resources
    // Loads the six files of base, each falling back to fallback's (null:
    // none). False after the fatal message when the string file or another
    // file is missing; an identifier that differs between the dialog file and
    // the menu or string file shows the incompatibility message and loading
    // goes on.
    bool LoadLanguage(const char16_t* base, const char16_t* fallback);
    // The text of an identifier; empty when the file or the item is missing.
    // Any thread may call it.
    KIVString GetText(int id) const;
    // The font of an identifier, loaded on first use; null without a font file.
    const KIVFont* GetFont(int id);
    // A copy of a frame of a bitmap, through the process-wide cache.
    bool GetBitmap(int id, int frame, KIVBitmapFrame* copy) const;
    // Opens a help topic; -1 only checks for the help file.
    void ShowHelp(int topic);

    // [SECTION] Recent files and the main window
    void AddRecentFile(const char16_t* path);
    void ChangeRecentFile(int entry);
    void SetRecentFileCount(int count);
    bool OpenRecentFile(int command);
    const KIVRecentFiles& RecentFiles() const { return *recentFiles_; }
    // Calls function with each file matching pattern; the number of calls
    // that returned true.
    int ForEachFile(const char16_t* pattern, const std::function<bool(const KIVString&)>& function);
    void SetMainWindowTitle(const char16_t* title);
    // Work for the next idle pass of the user-interface thread.
    void AddPendingItem(std::function<void()> item);

    // [SECTION] What the application knows
    const char* ApplicationName() const { return applicationName_; }
    const char* VersionName() const { return versionName_; }
    const char* ResourcePath(ResourceFile file) const { return resourcePaths_[file]; }
    const char* HelpPath() const { return helpPath_; }
    const KIVString& ProgramFolder() const { return programFolder_; }
    const KIVString& ProgramFileName() const { return programFileName_; }
    LONG LanguageId() const { return languageId_; }
    bool IsJapanese() const { return japanese_; }
    bool IsEnabled() const { return enabled_; }
    DWORD UserInterfaceThread() const { return uiThread_; }
    const KIVImageTables& ImageTables() const { return imageTables_; }
    const KIVAcceleratorTable& Accelerators() const { return accelerators_; }

private:
    bool FindProgram(KIVString* programPath);
    void ChooseLanguage();
    bool ChooseResourceFiles(const char16_t* base, const char16_t* fallback);
    void CheckLanguageIds();
    void MapFontFile();
    void UnmapFontFile();
    void RecordLanguage() const;
    bool PlaceComposition(const MSG& message) const;

    char applicationName_[50] = {};
    char versionName_[50] = {};
    char resourcePaths_[kResourceFileCount][260] = {};
    char helpPath_[260] = {};
    std::u16string registryFile_;
    bool hasRegistryFile_ = false;
    bool japanese_ = false;
    bool enabled_ = false;
    LONG languageId_ = 0;
    KIVString languageName_;
    KIVString resourceBase_;
    KIVString programFolder_;
    KIVString programFileName_;
    DWORD uiThread_ = 0;
    HANDLE fontFile_ = INVALID_HANDLE_VALUE;
    HANDLE fontMapping_ = nullptr;
    const void* fontView_ = nullptr;
    DWORD fontViewSize_ = 0;
    std::vector<std::unique_ptr<KIVFont>> fonts_;
    KIVAcceleratorTable accelerators_;
    std::unique_ptr<KIVRecentFiles> recentFiles_;
    std::deque<std::function<void()>> pendingItems_;
    KIVImageTables imageTables_;
};
