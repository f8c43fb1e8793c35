#include "TestMachine.h"
#include "platform/WinBase.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

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

// A named mutex is one object within the process, owned by one thread at a
// time and recursively; between processes it is a lock on its file in the
// machine root, which another open of that file (as another process makes)
// cannot take while a thread owns the mutex.
TEST_F(MachineTest, NamedMutexExcludesOtherThreadsAndOtherProcesses) {
    HANDLE mutex = CreateMutexW(nullptr, TRUE, u"Global\\KivTest");
    ASSERT_NE(mutex, nullptr);
    HANDLE again = CreateMutexA(nullptr, FALSE, "Global\\KivTest");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(WaitForSingleObject(again, 0), WAIT_OBJECT_0); // owned twice now

    const int other = open((machine.Root() + "/mutexes/Global_KivTest").c_str(), O_RDWR);
    ASSERT_GE(other, 0);
    EXPECT_NE(flock(other, LOCK_EX | LOCK_NB), 0);
    DWORD waited = 0, released = TRUE;
    std::thread([&] {
        waited = WaitForSingleObject(mutex, 60);
        released = ReleaseMutex(mutex);
    }).join();
    EXPECT_EQ(waited, WAIT_TIMEOUT);
    EXPECT_FALSE(released);
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_NE(flock(other, LOCK_EX | LOCK_NB), 0); // still owned once
    EXPECT_TRUE(ReleaseMutex(again));
    EXPECT_FALSE(ReleaseMutex(again));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_OWNER));

    EXPECT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
    std::thread([&] { waited = WaitForSingleObject(mutex, 60); }).join();
    EXPECT_EQ(waited, WAIT_TIMEOUT); // the other process holds it
    flock(other, LOCK_UN);
    close(other);
    std::thread([&] {
        waited = WaitForSingleObject(mutex, 1000);
        ReleaseMutex(mutex);
    }).join();
    EXPECT_EQ(waited, WAIT_OBJECT_0);
    CloseHandle(again);
    CloseHandle(mutex);
}
