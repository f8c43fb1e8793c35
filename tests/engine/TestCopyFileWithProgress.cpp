#include "FileInstallFixture.h"
#include "engine/CopyFileWithProgress.h"
#include "platform/Windows.h"

#include <chrono>
#include <thread>

namespace {

namespace fs = std::filesystem;

// Bytes that differ from chunk to chunk, so a chunk in the wrong place shows.
std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 262144) & 0xFF);
    return bytes;
}

std::atomic<unsigned char> cancelAfterChunk{0};
void CancelOnBytes(int) {
    cancelAfterChunk = 1;
}

class CopyFileWithProgressTest : public FileInstallTest {
protected:
    bool Copy(const char16_t* source, const char16_t* dest, ZipageBytesCallback onBytes = OnBytes) {
        return CopyFileWithProgress(source, dest, &copied, onBytes, &cancel, &pause);
    }
    std::int64_t copied = -1;
    std::atomic<unsigned char> cancel{0};
    std::atomic<unsigned char> pause{0};
};

TEST_P(CopyFileWithProgressTest, CopiesInChunksAndReportsEach) {
    const std::string bytes = Pattern(600000);
    Write("in/data.bin", bytes);
    Write("out/data.bin", std::string(700000, 'x')); // longer: must be emptied first

    ASSERT_TRUE(Copy(u"C:\\in\\data.bin", u"C:\\out\\data.bin"));
    EXPECT_EQ(Read("out/data.bin"), bytes);
    EXPECT_EQ(copied, 600000);
    EXPECT_EQ(FileInstallEvents(),
              (std::vector<std::string>{"bytes:262144", "bytes:262144", "bytes:75712"}));

    Write("in/empty", "");
    ASSERT_TRUE(Copy(u"C:\\in\\empty", u"C:\\out\\data.bin"));
    EXPECT_EQ(Read("out/data.bin"), "");
    EXPECT_EQ(copied, 0);
}

// The destination's link is replaced by the copy; the file it led to keeps
// its bytes.
TEST_P(CopyFileWithProgressTest, ReplacesALinkAtTheDestination) {
    Write("in/a.txt", "new");
    Write("elsewhere/keep.txt", "keep");
    fs::create_directories(Host("out"));
    fs::create_symlink(Host("elsewhere/keep.txt"), Host("out/a.txt"));

    ASSERT_TRUE(Copy(u"C:\\in\\a.txt", u"C:\\out\\a.txt"));
    EXPECT_FALSE(fs::is_symlink(Host("out/a.txt")));
    EXPECT_EQ(Read("out/a.txt"), "new");
    EXPECT_EQ(Read("elsewhere/keep.txt"), "keep");
}

// Emptying the destination before the source is held would empty the source.
TEST_P(CopyFileWithProgressTest, RefusesToCopyAFileOntoItself) {
    Write("in/a.txt", "precious");
    fs::create_directories(Host("out"));
    fs::create_symlink(Host("in/a.txt"), Host("out/link.txt"));

    EXPECT_FALSE(Copy(u"C:\\in\\a.txt", u"C:\\IN\\A.TXT"));
    EXPECT_FALSE(Copy(u"C:\\out\\link.txt", u"C:\\in\\a.txt"));
    EXPECT_EQ(Read("in/a.txt"), "precious");
}

TEST_P(CopyFileWithProgressTest, AFullDiskFails) {
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "the host has no /dev/full";
    Write("in/data.bin", Pattern(1000));
    EXPECT_FALSE(Copy(u"C:\\in\\data.bin", u"Z:\\dev\\full"));
    EXPECT_TRUE(fs::exists("/dev/full")) << "a device is never removed";
}

// A read that fails is not the end of the file: the copy is not whole.
TEST_P(CopyFileWithProgressTest, AReadErrorFails) {
    if (!fs::exists("/proc/self/mem"))
        GTEST_SKIP() << "the host has no /proc/self/mem";
    EXPECT_FALSE(Copy(u"Z:\\proc\\self\\mem", u"C:\\mem.bin"));
}

TEST_P(CopyFileWithProgressTest, CancelKeepsWhatWasCopiedAndReturnsTrue) {
    const std::string bytes = Pattern(600000);
    Write("in/data.bin", bytes);
    cancelAfterChunk = 0;
    EXPECT_TRUE(CopyFileWithProgress(u"C:\\in\\data.bin", u"C:\\out.bin", &copied, CancelOnBytes,
                                     &cancelAfterChunk, nullptr));
    EXPECT_EQ(copied, 262144);
    EXPECT_EQ(Read("out.bin"), bytes.substr(0, 262144));
}

TEST_P(CopyFileWithProgressTest, WaitsWhilePaused) {
    Write("in/a.txt", "a");
    pause = 1;
    std::thread resume([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        EXPECT_FALSE(Exists("out.txt") && Read("out.txt") == "a") << "copied while paused";
        pause = 0;
    });
    EXPECT_TRUE(Copy(u"C:\\in\\a.txt", u"C:\\out.txt"));
    resume.join();
    EXPECT_EQ(Read("out.txt"), "a");
}

FILE_INSTALL_BOTH_FAMILIES(CopyFileWithProgressTest);

} // namespace
