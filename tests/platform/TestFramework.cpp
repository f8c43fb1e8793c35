#include "UiFixture.h"
#include "platform/mfc/AfxWin.h"
#include "platform/ui/DeviceInput.h"

#include <atomic>

namespace {

class Framework : public UiTest {};

// Records its idle calls; the first run of idle passes posts a message, the
// second asks to quit. A repaint in between does not restart the count.
class CountingApp : public CWinApp {
public:
    CountingApp() : CWinApp("Counting") {}
    BOOL OnIdle(LONG lCount) override {
        counts.push_back(lCount);
        if (lCount == 1 && rounds == 0 && window)
            InvalidateRect(window, nullptr, FALSE);
        if (lCount == 2 && rounds++ == 0)
            PostThreadMessageA(GetCurrentThreadId(), WM_USER, 0, 0);
        else if (lCount == 2)
            PostQuitMessage(7);
        return lCount < 2;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message == WM_USER)
            ++userMessages;
        return CWinApp::PreTranslateMessage(pMsg);
    }
    std::vector<LONG> counts;
    int rounds = 0;
    int userMessages = 0;
    HWND window = nullptr;
};

TEST_F(Framework, RunCountsIdlePassesUntilAMessageAndEndsOnQuit) {
    CountingApp app;
    ASSERT_TRUE(AfxWinInit(nullptr, nullptr, nullptr, 0));
    EXPECT_EQ(AfxGetApp(), &app);
    app.window = Make(0, 0, 10, 10);
    ShowWindow(app.window, SW_SHOWNA);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        DispatchMessageW(&msg);
    EXPECT_EQ(app.Run(), 7);
    EXPECT_EQ(app.counts, (std::vector<LONG>{0, 1, 2, 0, 1, 2}));
    EXPECT_EQ(app.userMessages, 1);
}

class Dialog : public CWnd {
public:
    static INT_PTR Procedure(HWND, UINT message, WPARAM, LPARAM) {
        return message == WM_INITDIALOG ? TRUE : FALSE;
    }
    void OnTimer(UINT_PTR) override {
        if (++ticks == 3)
            ::EndDialog(m_hWnd, 14);
    }
    int ticks = 0;
};

struct Template {
    DLGTEMPLATE header;
    WORD menu = 0;
    WORD windowClass = 0;
    WORD title[4] = {'P', 'a', 'g', 0};
};

TEST_F(Framework, ModalLoopShowsOnIdleTellsTheOwnerAndEndsOnEndDialog) {
    HWND owner = Make(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
    Template dialogTemplate{};
    dialogTemplate.header = DLGTEMPLATE{WS_POPUP, 0, 0, 20, 20, 100, 100};
    Dialog dialog;
    EnableWindow(owner, FALSE);
    dialog.HookWindowCreate();
    HWND hwnd =
        CreateDialogIndirectParamA(nullptr, &dialogTemplate.header, owner, &Dialog::Procedure, 0);
    ASSERT_EQ(hwnd, dialog.m_hWnd);
    RECT rect;
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect.left, 30); // 20 dialog units at base units 6 by 13
    EXPECT_EQ(rect.bottom - rect.top, 162);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    SetTimer(hwnd, 60002, 10, nullptr);
    DeviceInput::MouseButton(VK_LBUTTON, true, POINT{190, 190}); // on the disabled owner
    DeviceInput::MouseButton(VK_LBUTTON, false, POINT{190, 190});
    EXPECT_EQ(dialog.RunModalLoop(MLF_SHOWONIDLE), 14);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(GetActiveWindow(), hwnd);
    EXPECT_TRUE(ReceivedOf(WM_LBUTTONDOWN).empty());
    std::vector<Received> idle = ReceivedOf(WM_ENTERIDLE);
    ASSERT_GE(idle.size(), 1u);
    EXPECT_EQ(idle[0].hwnd, owner);
    EXPECT_EQ(idle[0].lParam, reinterpret_cast<LPARAM>(hwnd));
    EXPECT_EQ(dialog.ticks, 3);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
    EXPECT_EQ(GetActiveWindow(), hwnd); // hidden without passing activation on
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
    EXPECT_EQ(GetActiveWindow(), owner);
    dialog.DestroyWindow();
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST_F(Framework, NoIdleMessageLeavesTheOwnerAlone) {
    HWND owner = Make(0, 0, 50, 50);
    Template dialogTemplate{};
    dialogTemplate.header = DLGTEMPLATE{WS_POPUP | DS_NOIDLEMSG, 0, 0, 0, 0, 10, 10};
    Dialog dialog;
    dialog.HookWindowCreate();
    CreateDialogIndirectParamA(nullptr, &dialogTemplate.header, owner, &Dialog::Procedure, 0);
    SetTimer(dialog.m_hWnd, 1, 10, nullptr);
    EXPECT_EQ(dialog.RunModalLoop(MLF_NOIDLEMSG), 14);
    EXPECT_TRUE(ReceivedOf(WM_ENTERIDLE).empty());
    dialog.DestroyWindow();
}

UINT Worker(LPVOID parameter) {
    static_cast<std::atomic<int>*>(parameter)->store(5);
    return 9;
}

TEST_F(Framework, AfxBeginThreadRunsTheWorkerAndKeepsItsExitCode) {
    std::atomic<int> value{0};
    CWinThread* thread =
        AfxBeginThread(&Worker, &value, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(value.load(), 0); // still suspended
    EXPECT_EQ(thread->ResumeThread(), 1u);
    thread->WaitForEnd();
    EXPECT_EQ(value.load(), 5);
    EXPECT_EQ(thread->GetExitCode(), 9u);
    delete thread;
}

} // namespace
