#include "platform/WinBase.h"

#include <gtest/gtest.h>
#include <thread>

TEST(Sync, CriticalSectionIsRecursiveAndExcludesOtherThreads) {
    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    LONG counter = 0;
    EnterCriticalSection(&section);
    EnterCriticalSection(&section); // the owner may enter again
    std::thread other([&] {
        EnterCriticalSection(&section);
        InterlockedIncrement(&counter);
        LeaveCriticalSection(&section);
    });
    Sleep(50);
    EXPECT_EQ(InterlockedExchange(&counter, 0), 0); // still held once
    LeaveCriticalSection(&section);
    Sleep(20);
    EXPECT_EQ(InterlockedExchange(&counter, 0), 0); // and still held
    LeaveCriticalSection(&section);
    other.join();
    EXPECT_EQ(counter, 1);
    DeleteCriticalSection(&section);
}

TEST(Sync, LastErrorBelongsToEachThread) {
    SetLastError(ERROR_ACCESS_DENIED);
    DWORD seen = 1;
    std::thread([&] { seen = GetLastError(); }).join();
    EXPECT_EQ(seen, 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    DWORD start = GetTickCount();
    Sleep(30);
    EXPECT_GE(GetTickCount() - start, 25u);
}
