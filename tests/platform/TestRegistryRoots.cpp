// The table of predefined root keys.
#include "platform/RegistryRoots.h"

#include <gtest/gtest.h>

TEST(RegistryRoots, NamesAreExactAndShortNamesOnlyWhenAsked) {
    ASSERT_NE(RegistryRoots::FromName("HKEY_LOCAL_MACHINE"), nullptr);
    EXPECT_EQ(RegistryRoots::FromName("HKEY_LOCAL_MACHINE")->handle, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(RegistryRoots::FromName("hkey_local_machine"), nullptr);
    EXPECT_EQ(RegistryRoots::FromName("HKLM"), nullptr);
    ASSERT_NE(RegistryRoots::FromName("HKLM", true), nullptr);
    EXPECT_EQ(RegistryRoots::FromName("HKLM", true)->handle, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(RegistryRoots::FromName("HKU", true)->handle, HKEY_USERS);
    EXPECT_EQ(RegistryRoots::FromName("", true), nullptr);
}

TEST(RegistryRoots, EveryPredefinedHandleAndNoOther) {
    for (std::size_t index = 0; index < RegistryRoots::kCount; ++index) {
        const RegistryRoot& root = RegistryRoots::Root(index);
        EXPECT_EQ(reinterpret_cast<ULONG_PTR>(root.handle), 0x80000000u + index);
        EXPECT_EQ(RegistryRoots::FromHandle(root.handle), &root);
        EXPECT_EQ(RegistryRoots::FromName(root.name), &root);
    }
    EXPECT_EQ(RegistryRoots::FromHandle(nullptr), nullptr);
    EXPECT_EQ(
        RegistryRoots::FromHandle(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000006u))),
        nullptr);
}
