// The message functions of a thread's queue: fetching, posting, sending
// (across threads too), translating and dispatching.
#include "platform/WinBase.h"
#include "platform/ui/MessageFetch.h"

namespace {

bool ValidFilterWindow(HWND hwnd) {
    return !hwnd || hwnd == reinterpret_cast<HWND>(-1) || FindWindowObject(hwnd);
}

BOOL Peek(LPMSG msg, HWND hwnd, UINT first, UINT last, UINT remove) {
    bool clickActivates = false;
    {
        UiLock lock(Ui().lock);
        ThreadQueue& queue = QueueOf(GetCurrentThreadId());
        RunSentMessages(lock, queue);
        if (!ValidFilterWindow(hwnd) || !FetchOnce(queue, FetchFilter{hwnd, first, last},
                                                   (remove & PM_REMOVE) != 0, msg, &clickActivates))
            return FALSE;
    }
    if (clickActivates)
        ActivateOnClick(msg->hwnd);
    return TRUE;
}

BOOL Get(LPMSG msg, HWND hwnd, UINT first, UINT last) {
    bool clickActivates = false;
    {
        UiLock lock(Ui().lock);
        ThreadQueue& queue = QueueOf(GetCurrentThreadId());
        for (;;) {
            RunSentMessages(lock, queue);
            if (!ValidFilterWindow(hwnd))
                return -1;
            if (FetchOnce(queue, FetchFilter{hwnd, first, last}, true, msg, &clickActivates))
                break;
            WaitForChange(lock, queue);
        }
    }
    if (clickActivates)
        ActivateOnClick(msg->hwnd);
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    UiLock lock(Ui().lock);
    DWORD thread = GetCurrentThreadId();
    if (hwnd) {
        WindowObject* window = FindWindowObject(hwnd);
        if (!window)
            return FALSE;
        thread = window->thread;
    }
    ThreadQueue& queue = QueueOf(thread);
    queue.posted.push_back(
        QueuedMessage{MSG{hwnd, message, wParam, lParam, GetTickCount(), Ui().mouse}});
    queue.Wake();
    return TRUE;
}

BOOL PostToThread(DWORD thread, UINT message, WPARAM wParam, LPARAM lParam) {
    UiLock lock(Ui().lock);
    ThreadQueue* queue = ExistingQueue(thread);
    if (!queue) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    queue->posted.push_back(
        QueuedMessage{MSG{nullptr, message, wParam, lParam, GetTickCount(), Ui().mouse}});
    queue->Wake();
    return TRUE;
}

// Waits for another thread to handle the message, carrying out what is sent
// to this thread meanwhile, so that two threads sending to each other do not
// wait for ever. Stops waiting when the window goes.
LRESULT SendAcross(UiLock& lock, ThreadQueue& target, HWND hwnd, UINT message, WPARAM wParam,
                   LPARAM lParam) {
    ThreadQueue& own = QueueOf(GetCurrentThreadId());
    auto item = std::make_shared<SentMessage>();
    *item = SentMessage{hwnd, message, wParam, lParam, 0, false, &own};
    target.sent.push_back(item);
    target.Wake();
    for (;;) {
        RunSentMessages(lock, own);
        if (item->done || !FindWindowObject(hwnd))
            break;
        own.changed = false;
        own.wake.wait(lock, [&] { return own.changed || item->done; });
    }
    return item->done ? item->result : 0;
}

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hwnd);
    if (!window)
        return 0;
    if (window->thread != GetCurrentThreadId())
        return SendAcross(lock, QueueOf(window->thread), hwnd, message, wParam, lParam);
    WNDPROC proc = window->proc;
    lock.unlock();
    return proc(hwnd, message, wParam, lParam);
}

LRESULT Dispatch(const MSG* msg) {
    if (!msg)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
        return 0;
    }
    if (!msg->hwnd)
        return 0;
    return CallWindowProcedure(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

// The character a key makes with the thread's Shift and Control state; 0
// for none. Letters follow Shift (no Caps Lock here); Control with a letter
// gives its control code, as a US keyboard does.
WCHAR CharacterOfKey(const ThreadQueue& queue, WPARAM key) {
    const bool shift = queue.keys[VK_SHIFT];
    const bool control = queue.keys[VK_CONTROL];
    if (key >= 'A' && key <= 'Z') {
        if (control)
            return static_cast<WCHAR>(key - 'A' + 1);
        return static_cast<WCHAR>(shift ? key : key - 'A' + 'a');
    }
    if (control)
        return 0;
    if (key >= '0' && key <= '9' && !shift)
        return static_cast<WCHAR>(key);
    switch (key) {
    case VK_SPACE:
        return u' ';
    case VK_RETURN:
        return u'\r';
    case VK_BACK:
        return 8;
    case VK_TAB:
        return u'\t';
    case VK_ESCAPE:
        return 27;
    default:
        return 0;
    }
}

} // namespace

BOOL GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    return Get(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax);
}
BOOL GetMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    return Get(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax);
}
BOOL PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
    return Peek(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, wRemoveMsg);
}
BOOL PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
    return Peek(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, wRemoveMsg);
}
BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return Post(hWnd, Msg, wParam, lParam);
}
BOOL PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return Post(hWnd, Msg, wParam, lParam);
}
BOOL PostThreadMessageA(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return PostToThread(idThread, Msg, wParam, lParam);
}
BOOL PostThreadMessageW(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return PostToThread(idThread, Msg, wParam, lParam);
}
LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return Send(hWnd, Msg, wParam, lParam);
}
LRESULT SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return Send(hWnd, Msg, wParam, lParam);
}
LRESULT DispatchMessageA(const MSG* lpMsg) {
    return Dispatch(lpMsg);
}
LRESULT DispatchMessageW(const MSG* lpMsg) {
    return Dispatch(lpMsg);
}

// The character goes to the front of the queue: it is fetched before the
// key's release and anything else posted after the press.
BOOL TranslateMessage(const MSG* lpMsg) {
    if (!lpMsg || (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_SYSKEYDOWN))
        return FALSE;
    UiLock lock(Ui().lock);
    ThreadQueue& queue = QueueOf(GetCurrentThreadId());
    const WCHAR character = CharacterOfKey(queue, lpMsg->wParam);
    if (!character)
        return FALSE;
    const UINT message = lpMsg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    queue.posted.push_front(
        QueuedMessage{MSG{lpMsg->hwnd, message, character, lpMsg->lParam, lpMsg->time, lpMsg->pt}});
    queue.Wake();
    return TRUE;
}

void PostQuitMessage(int nExitCode) {
    UiLock lock(Ui().lock);
    ThreadQueue& queue = QueueOf(GetCurrentThreadId());
    queue.quit = true;
    queue.quitCode = nExitCode;
    queue.Wake();
}

BOOL WaitMessage() {
    UiLock lock(Ui().lock);
    ThreadQueue& queue = QueueOf(GetCurrentThreadId());
    RunSentMessages(lock, queue);
    MSG msg;
    bool clickActivates = false;
    if (!FetchOnce(queue, FetchFilter{}, false, &msg, &clickActivates))
        WaitForChange(lock, queue);
    return TRUE;
}

DWORD GetMessageTime() {
    UiLock lock(Ui().lock);
    return QueueOf(GetCurrentThreadId()).lastTime;
}
