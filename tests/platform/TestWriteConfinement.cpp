// Writes beneath a tool's output folder stay inside it, whatever links it
// holds; the fallback without openat2 refuses every link on the way.
#include "HostFiles.h"
#include "TestMachine.h"
#include "platform/Machine.h"
#include "platform/PathMap.h"
#include "platform/WinBase.h"
#include "platform/WriteConfinement.h"

#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class WriteConfinementTest : public MachineTest {
protected:
    void SetUp() override {
        dest = machine.Root() + "/dest";
        outside = machine.Root() + "/outside";
        WriteHostFile(outside + "/canary.txt", "canary");
        fs::create_directories(dest + "/real/deep");
        fs::create_directory_symlink(outside, dest + "/out");
        fs::create_directory_symlink("real", dest + "/in");
        fs::create_directory_symlink(dest + "/real", dest + "/absolute");
        fs::create_directory_symlink("../../outside", dest + "/real/up");
        // The folder lies on the host, read-only but for what a tool opens.
        Machine::AllowHostChanges(dest);
    }
    void TearDown() override { Machine::ConfineWrites(""); }

    // errno of OpenBeneath, or 0 when it opened the folder.
    int Opened(const std::string& relative, WriteConfinement::Resolver resolver) const {
        const int root = open(dest.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        const int fd = WriteConfinement::OpenBeneath(root, relative, resolver);
        const int error = fd < 0 ? errno : 0;
        if (fd >= 0)
            close(fd);
        close(root);
        return error;
    }
    std::string Windows(const std::string& relative) const {
        return PathMap::ToWindows(dest + "/" + relative);
    }
    bool Create(const std::string& relative) const {
        HANDLE file = CreateFileA(Windows(relative).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, 0, nullptr);
        return file != INVALID_HANDLE_VALUE && CloseHandle(file);
    }

    std::string dest, outside;
};

} // namespace

TEST_F(WriteConfinementTest, TheKernelFollowsOnlyLinksThatStayBeneath) {
    using WriteConfinement::Resolver;
    if (Opened("", Resolver::kKernel) == ENOSYS)
        GTEST_SKIP() << "no openat2 on this kernel";
    EXPECT_EQ(Opened("real/deep", Resolver::kKernel), 0);
    EXPECT_EQ(Opened("in/deep", Resolver::kKernel), 0);
    EXPECT_EQ(Opened("out", Resolver::kKernel), EXDEV);
    EXPECT_EQ(Opened("absolute", Resolver::kKernel), EXDEV);
    EXPECT_EQ(Opened("real/up", Resolver::kKernel), EXDEV);
    EXPECT_EQ(Opened("real/../..", Resolver::kKernel), EXDEV);
}

TEST_F(WriteConfinementTest, TheFallbackRefusesEveryLinkAndEveryStepUp) {
    using WriteConfinement::Resolver;
    EXPECT_EQ(Opened("real/deep", Resolver::kWalk), 0);
    EXPECT_EQ(Opened("in/deep", Resolver::kWalk), ELOOP);
    EXPECT_EQ(Opened("out", Resolver::kWalk), ELOOP);
    EXPECT_EQ(Opened("real/up", Resolver::kWalk), ELOOP);
    EXPECT_EQ(Opened("real/..", Resolver::kWalk), EXDEV);
    EXPECT_EQ(Opened("nowhere", Resolver::kWalk), ENOENT);
}

// Through the Win32 calls: files, folders and deletions beneath the folder
// go through a link only while it stays inside; the host outside is
// untouched. Without the confinement the same calls reach it.
TEST_F(WriteConfinementTest, WritesBeneathTheConfinedFolderNeverLeaveIt) {
    EXPECT_TRUE(Create("out/before.txt")) << "not confined yet";
    fs::remove(outside + "/before.txt");
    Machine::ConfineWrites(dest);

    EXPECT_TRUE(Create("real/deep/a.txt"));
    EXPECT_TRUE(Create("top.txt"));
    EXPECT_FALSE(Create("out/b.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(Create("real/up/c.txt"));
    EXPECT_FALSE(CreateDirectoryA(Windows("out/made").c_str(), nullptr));
    EXPECT_FALSE(DeleteFileA(Windows("out/canary.txt").c_str()));
    EXPECT_FALSE(CreateDirectoryA(Windows("missing/x").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_TRUE(CreateDirectoryA(Windows("real/made").c_str(), nullptr));
    EXPECT_TRUE(DeleteFileA(Windows("top.txt").c_str()));

    EXPECT_EQ(ReadHostFile(outside + "/canary.txt"), "canary");
    EXPECT_EQ(std::distance(fs::directory_iterator(outside), fs::directory_iterator()), 1);
    EXPECT_TRUE(fs::exists(dest + "/real/deep/a.txt"));
    EXPECT_TRUE(fs::is_directory(dest + "/real/made"));
}
