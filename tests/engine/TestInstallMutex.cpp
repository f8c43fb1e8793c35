#include "TestMachine.h"
#include "engine/InstallMutex.h"
#include "platform/WinBase.h"

#include <thread>

// Another holder (here a thread; kivtool's tests check other processes)
// keeps the lock for as long as it holds it; a waiter gets it once it is let
// go, and a holder asking again keeps it.
TEST_F(MachineTest, TheInstallationLockHasOneHolderAtATime) {
    InstallMutex first;
    ASSERT_EQ(first.Acquire(0), InstallMutex::kHeld);
    EXPECT_EQ(first.Acquire(0), InstallMutex::kHeld);
    InstallMutex::Result second = InstallMutex::kFailed;
    std::thread([&] {
        InstallMutex other;
        second = other.Acquire(50);
    }).join();
    EXPECT_EQ(second, InstallMutex::kBusy);

    std::thread waiter([&] {
        InstallMutex other;
        second = other.Acquire(5000);
    });
    Sleep(30);
    first.Release();
    waiter.join();
    EXPECT_EQ(second, InstallMutex::kHeld);
    EXPECT_EQ(first.Acquire(0), InstallMutex::kHeld) << "the waiter let it go when it ended";
}
