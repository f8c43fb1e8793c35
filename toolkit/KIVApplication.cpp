#include "toolkit/KIVApplication.h"

#include "platform/ObjBase.h"
#include "toolkit/KIVFileFinder.h"
#include "toolkit/KIVFolderBrowser.h"
#include "toolkit/KIVIdleTasks.h"
#include "toolkit/KIVLanguageFolder.h"
#include "toolkit/KIVLanguageNames.h"
#include "toolkit/KIVLanguageSetting.h"
#include "toolkit/KIVSystem.h"
#include "toolkit/KIVTooltip.h"

#include <cstring>

namespace {

void CopyCut(char* field, std::size_t size, const char* text) {
    std::strncpy(field, text ? text : "", size - 1);
    field[size - 1] = 0;
}

} // namespace

KIVApplication::KIVApplication(const char* applicationName, const char* versionName,
                               const char16_t* resourceBaseName, const char16_t* registryFile)
    : CWinApp(applicationName) {
    // The shell's folder browser is the toolkit's, drawn like its dialogs.
    SetFolderBrowserHook(&KIVFolderBrowser::Browse);
    KIVResetPlatformFamily();
    KIVIsWindowsNT();
    uiThread_ = GetCurrentThreadId();
    CopyCut(applicationName_, sizeof applicationName_, applicationName);
    CopyCut(versionName_, sizeof versionName_, versionName);
    if (registryFile) {
        registryFile_ = registryFile;
        hasRegistryFile_ = true;
    }
    KIVString programPath;
    if (!FindProgram(&programPath)) {
        recentFiles_ = std::make_unique<KIVRecentFiles>(KIVString());
        MessageBoxA(nullptr, "Error initializing application.  Please re-install.",
                    applicationName_, MB_SETFOREGROUND | MB_OKCANCEL);
        PostQuitMessage(0);
        return;
    }
    const int dot = programPath.ReverseFind('.');
    const KIVString withoutExtension =
        dot > programPath.ReverseFind('\\') ? programPath.Left(dot) : programPath;
    recentFiles_ = std::make_unique<KIVRecentFiles>(withoutExtension + u".mru");
    resourceBase_ =
        resourceBaseName ? programFolder_ + KIVString(resourceBaseName) : withoutExtension;
    ChooseLanguage();
    if (!LoadLanguage(resourceBase_, nullptr))
        PostQuitMessage(0);
    enabled_ = true;
    imageTables_ = KIVImageTables::Compute();
}

KIVApplication::~KIVApplication() {
    SetFolderBrowserHook(nullptr);
    UnmapFontFile();
}

KIVApplication* KIVApplication::Get() {
    return dynamic_cast<KIVApplication*>(AfxGetApp());
}

// The program's full path, split into its folder (with the "\") and its file
// name (at most 50 characters); false when it is not known or has no "\".
bool KIVApplication::FindProgram(KIVString* programPath) {
    char16_t path[260] = {};
    const DWORD length = KIVGetModuleFileName(nullptr, path, 260);
    *programPath = KIVString(path);
    const int slash = programPath->ReverseFind('\\');
    if (length == 0 || length >= 260 || slash < 0)
        return false;
    programFolder_ = programPath->Left(slash + 1);
    programFileName_ = programPath->Mid(slash + 1).Left(50);
    return true;
}

// The recorded language, else the user's; its folder's files then replace
// those beside the program.
void KIVApplication::ChooseLanguage() {
    const char16_t* file = hasRegistryFile_ ? registryFile_.c_str() : nullptr;
    std::string name = KIVReadLanguageSetting(applicationName_, versionName_, file);
    if (name.empty())
        name = KIVLanguageNameOfUser(GetUserDefaultLangID());
    languageName_ = KIVString(name.c_str());
    KIVTakeLanguageFolder(programFolder_, name.c_str());
}

int KIVApplication::RunProgram(HINSTANCE instance, LPSTR commandLine, int showCommand) {
    int result = -1;
    if (AfxWinInit(instance, nullptr, commandLine, showCommand) && InitApplication() &&
        OnStartup()) {
        if (InitInstance()) {
            result = Run();
        } else {
            if (m_pMainWnd)
                m_pMainWnd->DestroyWindow();
            result = ExitInstance();
        }
    }
    AfxWinTerm();
    OnShutdown();
    return result;
}

BOOL KIVApplication::InitInstance() {
    GetFont(0);
    SetRegistryKey("Kiv software");
    OleInitialize(nullptr);
    const bool made = CreateMainWindow();
    EnableApplication(true);
    return made;
}

BOOL KIVApplication::OnIdle(LONG count) {
    RunPendingItems();
    if (count != 0)
        return RunIdleTasks(count);
    if (m_pMainWnd && m_pMainWnd->GetSafeHwnd())
        ::UpdateWindow(m_pMainWnd->GetSafeHwnd());
    RunIdleTasks(count);
    return TRUE;
}

bool KIVApplication::RunPendingItems() {
    const bool any = !pendingItems_.empty();
    while (!pendingItems_.empty()) {
        std::function<void()> item = std::move(pendingItems_.front());
        pendingItems_.pop_front();
        item();
    }
    return any;
}

bool KIVApplication::RunIdleTasks(LONG) {
    return KIVIdleTasks::Application().Run();
}

void KIVApplication::AddPendingItem(std::function<void()> item) {
    pendingItems_.push_back(std::move(item));
}

// Disabling takes down the tooltip: nothing under the mouse answers while
// the application is disabled, and a dialog shows no new one meanwhile.
void KIVApplication::EnableApplication(bool enable) {
    enabled_ = enable;
    if (!enable)
        KIVTooltip::Get().Hide();
    if (m_pMainWnd && m_pMainWnd->GetSafeHwnd())
        ::EnableWindow(m_pMainWnd->GetSafeHwnd(), enable);
}

void KIVApplication::SetMainWindowTitle(const char16_t* title) {
    if (m_pMainWnd && m_pMainWnd->GetSafeHwnd())
        KIVSetWindowText(m_pMainWnd->GetSafeHwnd(), title);
}

// [SECTION] Commands and recent files
void KIVApplication::UpdateCommand(KIVCommandState* state) {
    if (state->command >= kFirstRecentCommand && state->command <= kLastRecentCommand)
        state->enabled = state->command - kFirstRecentCommand < recentFiles_->GetSize();
    else if (state->command == kCommandNew)
        state->enabled = true;
}

bool KIVApplication::RouteCommand(int command) {
    if (command == kCommandNew) {
        OnCommandNew();
        return true;
    }
    if (command >= kFirstRecentCommand && command <= kLastRecentCommand)
        return OpenRecentFile(command);
    return false;
}

void KIVApplication::AddRecentFile(const char16_t* path) {
    recentFiles_->Add(KIVString(path));
}

void KIVApplication::ChangeRecentFile(int entry) {
    recentFiles_->Change(entry);
}

void KIVApplication::SetRecentFileCount(int count) {
    recentFiles_->SetCount(count);
}

bool KIVApplication::OpenRecentFile(int command) {
    const KIVString path = recentFiles_->GetAt(command - kFirstRecentCommand);
    return !path.IsEmpty() && OpenDocument(path);
}

int KIVApplication::ForEachFile(const char16_t* pattern,
                                const std::function<bool(const KIVString&)>& function) {
    KIVFileFinder finder(pattern);
    KIVString path;
    bool isFolder = false;
    int count = 0;
    while (finder.Next(&path, &isFolder))
        if (!isFolder && function(path))
            ++count;
    return count;
}
