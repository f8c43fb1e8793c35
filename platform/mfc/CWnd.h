// The framework's window object: a C++ object bound to one window, whose
// messages arrive as calls of virtual handlers. A handler that is not
// overridden leaves the message to the default handling (Default).
#pragma once

#include "platform/Imm.h"

class CWnd;

// Flags of RunModalLoop.
#define MLF_NOIDLEMSG 0x0001u
#define MLF_SHOWONIDLE 0x0004u

class CWnd {
public:
    CWnd();
    // Destroys the window when it still exists.
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object bound to a window, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);
    // Binds to a window without taking over its messages.
    BOOL Attach(HWND hwnd);
    HWND Detach();
    // Binds to a window and takes over its window procedure: its messages
    // then reach WindowProc, and Default hands them to the former procedure.
    BOOL SubclassWindow(HWND hwnd);

    // Creates a window of the framework's own class, bound to this object
    // before its first message. lpszClassName null: the framework's class.
    virtual BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName,
                          DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                          HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    // Binds this object to the next window the calling thread makes, through
    // any window function (CreateDialogIndirectParamA among them).
    void HookWindowCreate();
    virtual BOOL DestroyWindow();

    // Runs the messages of the calling thread until EndModalLoop or the
    // platform's EndDialog for this window. While the queue is idle: the
    // window is shown the first time (MLF_SHOWONIDLE, when hidden) and the
    // owner gets WM_ENTERIDLE (MSGF_DIALOGBOX) once per idle period unless
    // MLF_NOIDLEMSG. A WM_QUIT ends the loop with -1 and is posted again.
    // Returns the result.
    int RunModalLoop(DWORD dwFlags = 0);
    virtual void EndModalLoop(int nResult);
    BOOL ContinueModal();

    DWORD GetStyle() const;
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    void Invalidate() { ::InvalidateRect(m_hWnd, nullptr, TRUE); }

    // The dispatch: OnWndMsg's handlers, else DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // The former window procedure (SubclassWindow), else the platform's.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Calls DefWindowProc with the message being handled.
    LRESULT Default();
    // Called by AfxWndProc once the window is gone.
    void PostNcDestroyFromProc() { PostNcDestroy(); }

protected:
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void PostNcDestroy() {}

    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void OnPaint();
    virtual void OnTimer(UINT_PTR nIDEvent);
    virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnLButtonDown(UINT nFlags, POINT point);
    virtual void OnLButtonUp(UINT nFlags, POINT point);
    virtual void OnLButtonDblClk(UINT nFlags, POINT point);
    virtual void OnRButtonDown(UINT nFlags, POINT point);
    virtual void OnRButtonUp(UINT nFlags, POINT point);
    virtual void OnMouseMove(UINT nFlags, POINT point);
    virtual BOOL OnMouseWheel(UINT nFlags, short zDelta, POINT pt);
    virtual void OnCaptureChanged(CWnd* pWnd);
    virtual void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    virtual void OnSetFocus(CWnd* pOldWnd);
    virtual void OnKillFocus(CWnd* pNewWnd);
    virtual BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    virtual void OnClose();
    virtual void OnDestroy();
    virtual void OnDropFiles(HDROP hDropInfo);

    int m_nModalResult = 0;

private:
    WNDPROC m_pfnSuper = nullptr;
    bool m_bContinueModal = false;
};

// The window procedure of framework windows: finds the bound object and
// calls its WindowProc; a window with no object gets DefWindowProcA.
LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// The name of the framework's window class, registered on first use.
LPCSTR AfxWindowClassName();
