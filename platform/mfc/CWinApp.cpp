#include "platform/mfc/CWinApp.h"

#include "platform/WinBase.h"

#include <atomic>

namespace {
std::atomic<CWinApp*> g_app{nullptr};
} // namespace

CWinApp::CWinApp(LPCSTR lpszAppName) : appName_(lpszAppName ? lpszAppName : "Application") {
    m_pszAppName = appName_.c_str();
    m_nThreadID = GetCurrentThreadId();
    g_app.store(this);
}

CWinApp::~CWinApp() {
    CWinApp* self = this;
    g_app.compare_exchange_strong(self, nullptr);
}

BOOL CWinApp::InitApplication() {
    return TRUE;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey) {
    registryKey_ = lpszRegistryKey ? lpszRegistryKey : "";
    m_pszRegistryKey = registryKey_.c_str();
}

CWinApp* AfxGetApp() {
    return g_app.load();
}

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    CWinApp* app = AfxGetApp();
    if (!app)
        return FALSE;
    app->m_hInstance = hInstance;
    app->m_nThreadID = GetCurrentThreadId();
    MSG msg;
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE); // makes the thread's queue
    AfxWindowClassName();
    return TRUE;
}

void AfxWinTerm() {
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd && ::IsWindow(app->m_pMainWnd->m_hWnd))
        app->m_pMainWnd->DestroyWindow();
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
    CWinApp* app = AfxGetApp();
    int result = -1;
    if (app && AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) &&
        app->InitApplication()) {
        if (app->InitInstance()) {
            result = app->Run();
        } else {
            if (app->m_pMainWnd)
                app->m_pMainWnd->DestroyWindow();
            result = app->ExitInstance();
        }
    }
    AfxWinTerm();
    return result;
}
