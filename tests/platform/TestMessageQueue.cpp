#include "UiFixture.h"
#include "platform/ui/DeviceInput.h"

#include <future>

namespace {

class MessageQueue : public UiTest {};

TEST_F(MessageQueue, PostedMessagesComeFirstThenPaintThenTimer) {
    HWND hwnd = Make(0, 0, 50, 50);
    ShowWindow(hwnd, SW_SHOWNA);
    SetTimer(hwnd, 7, 10, nullptr);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    PostMessageW(hwnd, WM_USER + 1, 0, 0);
    PostMessageW(hwnd, WM_USER + 2, 0, 0);
    MSG msg;
    ASSERT_TRUE(Next(&msg));
    EXPECT_EQ(msg.message, UINT(WM_USER + 1));
    ASSERT_TRUE(Next(&msg));
    EXPECT_EQ(msg.message, UINT(WM_USER + 2));
    ASSERT_TRUE(Next(&msg));
    EXPECT_EQ(msg.message, UINT(WM_PAINT));
    EXPECT_EQ(msg.hwnd, hwnd);
    DispatchMessageW(&msg); // the default handling validates
    ASSERT_TRUE(Next(&msg));
    EXPECT_EQ(msg.message, UINT(WM_TIMER));
    EXPECT_EQ(msg.wParam, WPARAM(7));
    // A timer that fell behind fires once, then waits a whole period again.
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    KillTimer(hwnd, 7);
}

TEST_F(MessageQueue, PaintStaysDueUntilTheWindowIsValidated) {
    HWND hwnd = Make(0, 0, 40, 30);
    ShowWindow(hwnd, SW_SHOWNA);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, hwnd, WM_PAINT, WM_PAINT, PM_REMOVE));
    ASSERT_TRUE(PeekMessageW(&msg, hwnd, WM_PAINT, WM_PAINT, PM_REMOVE));
    PAINTSTRUCT paint;
    BeginPaint(hwnd, &paint);
    EXPECT_EQ(paint.rcPaint.right, 40);
    EXPECT_EQ(paint.rcPaint.bottom, 30);
    EndPaint(hwnd, &paint);
    EXPECT_FALSE(PeekMessageW(&msg, hwnd, WM_PAINT, WM_PAINT, PM_REMOVE));
    // Hidden windows are not painted.
    RECT part{5, 5, 10, 10};
    ShowWindow(hwnd, SW_HIDE);
    InvalidateRect(hwnd, &part, FALSE);
    EXPECT_FALSE(PeekMessageW(&msg, hwnd, WM_PAINT, WM_PAINT, PM_REMOVE));
    ShowWindow(hwnd, SW_SHOWNA);
    ASSERT_TRUE(PeekMessageW(&msg, hwnd, WM_PAINT, WM_PAINT, PM_REMOVE));
    BeginPaint(hwnd, &paint);
    EndPaint(hwnd, &paint);
}

TEST_F(MessageQueue, QuitComesAfterThePostedMessagesWithItsCode) {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE); // a thread's queue exists from its first fetch
    PostThreadMessageW(GetCurrentThreadId(), WM_USER, 1, 0);
    PostQuitMessage(3);
    PostThreadMessageW(GetCurrentThreadId(), WM_USER, 2, 0);
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, WPARAM(1));
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, WPARAM(2));
    EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    EXPECT_EQ(msg.wParam, WPARAM(3));
}

TEST_F(MessageQueue, GetMessageWaitsForATimer) {
    HWND hwnd = Make(0, 0, 10, 10);
    SetTimer(hwnd, 1, 20, nullptr);
    const DWORD start = GetTickCount();
    MSG msg;
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, UINT(WM_TIMER));
    EXPECT_GE(GetTickCount() - start, 15u);
    EXPECT_TRUE(KillTimer(hwnd, 1));
    EXPECT_FALSE(KillTimer(hwnd, 1));
}

TEST_F(MessageQueue, TranslateMakesTheCharacterBeforeTheRelease) {
    HWND hwnd = Make(0, 0, 10, 10);
    SetFocus(hwnd);
    DeviceInput::Key('A', true);
    DeviceInput::Key('A', false);
    DeviceInput::Key(VK_SHIFT, true);
    DeviceInput::Key('B', true);
    DeviceInput::Key(VK_SHIFT, false);
    std::vector<std::pair<UINT, WPARAM>> seen;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_KEYDOWN, WM_CHAR, PM_REMOVE)) {
        seen.emplace_back(msg.message, msg.wParam);
        TranslateMessage(&msg);
    }
    using Seen = std::pair<UINT, WPARAM>;
    ASSERT_EQ(seen.size(), 7u);
    EXPECT_EQ(seen[0], (Seen{WM_KEYDOWN, 'A'}));
    EXPECT_EQ(seen[1], (Seen{WM_CHAR, 'a'}));
    EXPECT_EQ(seen[2], (Seen{WM_KEYUP, 'A'}));
    EXPECT_EQ(seen[3], (Seen{WM_KEYDOWN, VK_SHIFT}));
    EXPECT_EQ(seen[4], (Seen{WM_KEYDOWN, 'B'}));
    EXPECT_EQ(seen[5], (Seen{WM_CHAR, 'B'}));
    EXPECT_EQ(seen[6], (Seen{WM_KEYUP, VK_SHIFT}));
}

// Runs a window on a thread of its own until it gets WM_QUIT.
struct WindowThread {
    static LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_USER)
            return static_cast<LRESULT>(GetCurrentThreadId());
        if (message == WM_USER + 1) // sends back to the sender's window while it waits
            return SendMessageW(reinterpret_cast<HWND>(lParam), WM_USER + 2, 0, 0) + 1;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    WindowThread() {
        std::promise<void> ready;
        thread = std::thread([this, &ready] {
            id = GetCurrentThreadId();
            hwnd = CreateWindowExW(0, u"KivOtherThread", u"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                   nullptr, nullptr, nullptr);
            ready.set_value();
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0)
                DispatchMessageW(&msg);
            DestroyWindow(hwnd);
        });
        ready.get_future().wait();
    }
    ~WindowThread() {
        PostThreadMessageW(id, WM_QUIT, 0, 0);
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
        thread.join();
    }

    std::thread thread;
    DWORD id = 0;
    HWND hwnd = nullptr;
};

LRESULT AnswerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 2)
        return 40;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterThreadClasses() {
    static const bool done = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &WindowThread::Proc;
        windowClass.lpszClassName = u"KivOtherThread";
        RegisterClassW(&windowClass);
        windowClass.lpfnWndProc = &AnswerProc;
        windowClass.lpszClassName = u"KivAnswer";
        RegisterClassW(&windowClass);
        return true;
    }();
    (void)done;
}

// The send runs on a thread of its own so that a fault shows as a failure
// after a timeout rather than a hung test.
template <typename Work> bool FinishesWithin(Work work, LRESULT* result) {
    auto done = std::make_shared<std::promise<LRESULT>>();
    std::future<LRESULT> future = done->get_future();
    std::thread([work, done] { done->set_value(work()); }).detach();
    if (future.wait_for(std::chrono::seconds(5)) != std::future_status::ready)
        return false;
    *result = future.get();
    return true;
}

TEST_F(MessageQueue, SendToAnotherThreadRunsThereAndReturnsItsResult) {
    RegisterThreadClasses();
    WindowThread other;
    LRESULT result = 0;
    ASSERT_TRUE(
        FinishesWithin([&other] { return SendMessageW(other.hwnd, WM_USER, 0, 0); }, &result));
    EXPECT_EQ(static_cast<DWORD>(result), other.id);
}

TEST_F(MessageQueue, SenderHandlesMessagesSentBackWhileItWaits) {
    RegisterThreadClasses();
    WindowThread other;
    LRESULT result = 0;
    HWND target = other.hwnd;
    ASSERT_TRUE(FinishesWithin(
        [target] {
            HWND own = CreateWindowExW(0, u"KivAnswer", u"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr,
                                       nullptr, nullptr);
            LRESULT answer = SendMessageW(target, WM_USER + 1, 0, reinterpret_cast<LPARAM>(own));
            DestroyWindow(own);
            return answer;
        },
        &result));
    EXPECT_EQ(result, 41);
}

TEST_F(MessageQueue, SendToAWindowThatGoesAwayReturnsZero) {
    RegisterThreadClasses();
    LRESULT result = -1;
    HWND stuck = nullptr;
    std::promise<void> created, sent;
    std::thread owner([&] {
        stuck = CreateWindowExW(0, u"KivOtherThread", u"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr,
                                nullptr, nullptr);
        created.set_value();
        sent.get_future().wait_for(std::chrono::seconds(5));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        DestroyWindow(stuck); // without ever fetching the sent message
    });
    created.get_future().wait();
    EXPECT_TRUE(FinishesWithin(
        [&] {
            sent.set_value();
            return SendMessageW(stuck, WM_USER, 0, 0);
        },
        &result));
    owner.join();
    EXPECT_EQ(result, 0);
}

} // namespace
