// The framework's application object: one per process, on the thread that
// makes it. The program's start-up (AfxWinMain) runs InitApplication,
// InitInstance and Run.
#pragma once

#include "platform/mfc/CWinThread.h"

#include <string>

class CWinApp : public CWinThread {
public:
    // Becomes the application object (AfxGetApp); the name defaults to
    // "Application".
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitApplication();
    BOOL InitInstance() override;

    // Keeps the company name under which the program's settings would live
    // (HKEY_CURRENT_USER\Software\<key>\<application>).
    void SetRegistryKey(LPCSTR lpszRegistryKey);

    LPCSTR m_pszAppName = nullptr;
    LPCSTR m_pszRegistryKey = nullptr;
    HINSTANCE m_hInstance = nullptr;

private:
    std::string appName_;
    std::string registryKey_;
};

CWinApp* AfxGetApp();
// Prepares the framework for the application's thread: its message queue
// and the framework's window class. False without an application object.
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
// Ends the framework: destroys the main window when it still exists.
void AfxWinTerm();
// The whole start-up: AfxWinInit, InitApplication, InitInstance, then Run;
// when InitInstance fails the main window is destroyed and ExitInstance
// gives the result; -1 when an earlier step fails. AfxWinTerm in every case.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
