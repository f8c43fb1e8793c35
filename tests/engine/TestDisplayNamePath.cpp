#include "TestMachine.h"
#include "engine/DisplayNamePath.h"
#include "engine/GetSpecialFolderPath.h"

#include <cstring>
#include <string>

namespace {

IMalloc* Allocator() {
    IMalloc* malloc = nullptr;
    EXPECT_EQ(SHGetMalloc(&malloc), S_OK);
    return malloc;
}

} // namespace

TEST_F(MachineTest, DisplayNamesInEveryFormBecomePaths) {
    char16_t path[MAX_PATH];
    // A wide text longer than a path is cut, and freed (the sanitizer build
    // reports it otherwise).
    const std::u16string longName(300, u'a');
    STRRET name{};
    name.uType = STRRET_WSTR;
    name.pOleStr = static_cast<WCHAR*>(Allocator()->Alloc((longName.size() + 1) * 2));
    std::memcpy(name.pOleStr, longName.c_str(), (longName.size() + 1) * 2);
    TakeDisplayNamePath(name, nullptr, Allocator(), path);
    EXPECT_EQ(std::u16string(path), longName.substr(0, MAX_PATH - 1));

    const char item[] = "\x0C\0abC:\\Programs";
    name.uType = STRRET_OFFSET;
    name.uOffset = 4;
    TakeDisplayNamePath(name, reinterpret_cast<LPCITEMIDLIST>(item), Allocator(), path);
    EXPECT_EQ(std::u16string(path), u"C:\\Programs");

    name.uType = STRRET_CSTR;
    std::memset(name.cStr, 'b', sizeof name.cStr); // no terminator of its own
    TakeDisplayNamePath(name, nullptr, Allocator(), path);
    EXPECT_EQ(std::u16string(path), std::u16string(MAX_PATH - 1, u'b'));

    name.uType = 7;
    TakeDisplayNamePath(name, nullptr, Allocator(), path);
    EXPECT_EQ(path[0], 0);
}

TEST_F(MachineTest, SpecialFolderPathsComeFromTheShell) {
    char16_t path[MAX_PATH];
    ASSERT_TRUE(GetSpecialFolderPath(CSIDL_COMMON_STARTUP, path));
    EXPECT_EQ(std::u16string(path),
              u"C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\Startup");
    EXPECT_FALSE(GetSpecialFolderPath(0x0005, path));
    EXPECT_EQ(path[0], 0);
}
