#include "../platform/PeImageBuilder.h"
#include "FileInstallFixture.h"
#include "Japanese932.h"
#include "engine/InstallSystemFiles.h"
#include "platform/MachineRestart.h"
#include "platform/Windows.h"

namespace {

namespace fs = std::filesystem;

// A PE image whose version resource gives the file version ms.ls; the tag
// tells two images of one version apart.
std::string Library(std::uint32_t ms, std::uint32_t ls, const std::string& tag = "") {
    using namespace PeImageBuilder;
    return Image(false, {{16, 1, 0x0409, VersionBlock(ms, ls, {})}}) + tag;
}

// A file held open for reading without write or delete sharing, as a
// running program holds its libraries.
class HeldFile {
public:
    explicit HeldFile(const char* path)
        : handle_(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr)) {
        EXPECT_NE(handle_, INVALID_HANDLE_VALUE) << path;
    }
    ~HeldFile() { Release(); }
    void Release() {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

class InstallSystemFilesTest : public FileInstallTest {
protected:
    std::string System(const std::string& name) const {
        return (IsNT() ? "Windows/System32/" : "Windows/System/") + name;
    }
    std::string SystemPath(const std::string& name) const {
        return (IsNT() ? "C:\\Windows\\System32\\" : "C:\\Windows\\System\\") + name;
    }
    void Stage(const std::string& name, const std::string& bytes) {
        Write("Staging/" + name, bytes);
        staged.push_back("C:\\Staging\\" + name);
    }
    bool Install() {
        restart = !restart; // must be cleared whatever it was
        return InstallSystemFiles(staged, &restart);
    }
    void SetCount(const std::string& name, DWORD type, DWORD count) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, kSharedDlls, &key), ERROR_SUCCESS);
        RegSetValueExA(key, SystemPath(name).c_str(), 0, type, reinterpret_cast<BYTE*>(&count),
                       sizeof count);
        RegCloseKey(key);
    }
    // The count's type and value; type 0 when there is none.
    std::pair<DWORD, DWORD> Count(const std::string& name) const {
        HKEY key = nullptr;
        DWORD type = 0, count = 0, size = sizeof count;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedDlls, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return {0, 0};
        if (RegQueryValueExA(key, SystemPath(name).c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(&count), &size) != ERROR_SUCCESS)
            type = 0;
        RegCloseKey(key);
        return {type, count};
    }
    std::vector<RestartStep> Restart() {
        std::vector<RestartStep> steps;
        MachineRestart(&steps);
        return steps;
    }

    static constexpr const char* kSharedDlls =
        "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
    bool restart = false;
    std::vector<std::string> staged;
};

TEST_P(InstallSystemFilesTest, NothingStagedIsASuccess) {
    EXPECT_TRUE(Install());
    EXPECT_FALSE(restart);
}

TEST_P(InstallSystemFilesTest, NewFilesAreCopiedAndTheStagedOnesDeleted) {
    Stage("new.dll", Library(0x10000, 0));
    Stage("notes.txt", "notes");
    Write("Staging/planted.dll", "left by another setup");

    ASSERT_TRUE(Install());
    EXPECT_FALSE(restart);
    EXPECT_EQ(Read(System("new.dll")), Library(0x10000, 0));
    EXPECT_EQ(Read(System("notes.txt")), "notes");
    EXPECT_FALSE(Exists(System("planted.dll"))) << "only the files the setup staged";
    EXPECT_TRUE(Exists("Staging/planted.dll"));
    EXPECT_FALSE(Exists("Staging/new.dll"));
    EXPECT_FALSE(Exists("Staging/notes.txt"));
}

// A file placed where none was is counted once, so that its last
// uninstallation removes it; a count left by an earlier copy goes up.
TEST_P(InstallSystemFilesTest, ANewFileGetsItsFirstCount) {
    for (const char* name : {"new.dll", "counted.dll", "zero.dll"})
        Stage(name, Library(0x10000, 0));
    SetCount("counted.dll", REG_DWORD, 2);
    SetCount("zero.dll", REG_DWORD, 0);
    ASSERT_TRUE(Install());
    EXPECT_EQ(Count("new.dll"), std::make_pair(DWORD{REG_DWORD}, DWORD{1}));
    EXPECT_EQ(Count("counted.dll"), std::make_pair(DWORD{REG_DWORD}, DWORD{3}));
    EXPECT_EQ(Count("zero.dll"), std::make_pair(DWORD{REG_DWORD}, DWORD{1}));
}

// Versions compare as two unsigned 32-bit halves, the high one first.
TEST_P(InstallSystemFilesTest, OnlyANewerVersionReplacesTheTarget) {
    struct Case {
        const char* name;
        std::uint32_t stagedMS, stagedLS, targetMS, targetLS;
        bool replaced;
    } cases[] = {
        {"equal.dll", 0x10002, 3, 0x10002, 3, false},
        {"newer.dll", 0x20000, 0, 0x10005, 0xFFFFFFFF, true},
        {"build.dll", 0x10000, 5, 0x10000, 4, true},
        {"older.dll", 0x10000, 0, 0x10002, 0, false},
        {"unsigned.dll", 0x7FFFFFFF, 0, 0x80000000, 0, false},
        {"unsignedls.dll", 1, 0x80000000, 1, 0x7FFFFFFF, true},
    };
    for (const Case& c : cases) {
        Stage(c.name, Library(c.stagedMS, c.stagedLS, "staged"));
        Write(System(c.name), Library(c.targetMS, c.targetLS, "target"));
    }
    ASSERT_TRUE(Install());
    EXPECT_FALSE(restart);
    for (const Case& c : cases) {
        EXPECT_EQ(Read(System(c.name)), c.replaced ? Library(c.stagedMS, c.stagedLS, "staged")
                                                   : Library(c.targetMS, c.targetLS, "target"))
            << c.name;
        EXPECT_FALSE(Exists("Staging/" + std::string(c.name))) << c.name;
    }
}

TEST_P(InstallSystemFilesTest, WithoutVersionOnEitherSideTheTargetIsOverwritten) {
    Stage("plain.dll", Library(0x10000, 0, "staged"));
    Write(System("plain.dll"), "no version here");
    Stage("bare.dll", "staged without version");
    Write(System("bare.dll"), Library(0x50000, 0));
    ASSERT_TRUE(Install());
    EXPECT_EQ(Read(System("plain.dll")), Library(0x10000, 0, "staged"));
    EXPECT_EQ(Read(System("bare.dll")), "staged without version");
}

// The count of a target that exists goes up before the version test, so also
// for a target kept; one that has no count gets none.
TEST_P(InstallSystemFilesTest, OnlyACountAlreadyAboveZeroIsRaised) {
    for (const char* name : {"kept.dll", "zero.dll", "negative.dll", "text.dll", "none.dll"}) {
        Stage(name, Library(0x10000, 0));
        Write(System(name), Library(0x10000, 0));
    }
    SetCount("kept.dll", REG_DWORD, 3);
    SetCount("zero.dll", REG_DWORD, 0);
    SetCount("negative.dll", REG_DWORD, 0xFFFFFFFF);
    SetCount("text.dll", REG_SZ, 0x35); // "5"

    ASSERT_TRUE(Install());
    EXPECT_EQ(Count("kept.dll"), std::make_pair(DWORD{REG_DWORD}, DWORD{4}));
    EXPECT_EQ(Count("zero.dll"), std::make_pair(DWORD{REG_DWORD}, DWORD{0}));
    EXPECT_EQ(Count("negative.dll"), std::make_pair(DWORD{REG_DWORD}, DWORD{0xFFFFFFFF}));
    EXPECT_EQ(Count("text.dll").first, DWORD{REG_SZ});
    EXPECT_EQ(Count("none.dll").first, 0u) << "no count is made";
}

// A failed copy must not cost the machine the library it had.
TEST_P(InstallSystemFilesTest, AFailingCopyKeepsTheTarget) {
    Stage("keep.dll", "new bytes");
    Write(System("keep.dll"), "old bytes");
    HANDLE staged =
        CreateFileA("C:\\Staging\\keep.dll", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(staged, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(Install());
    CloseHandle(staged);
    EXPECT_EQ(Read(System("keep.dll")), "old bytes");
    EXPECT_TRUE(Exists("Staging/keep.dll")) << "staged files stay after a failure";
}

// The replacement must still find its source after the staging folder is
// gone, and replace the target at the restart.
TEST_P(InstallSystemFilesTest, ATargetInUseIsReplacedAtTheNextStart) {
    Stage("busy.dll", Library(0x20000, 0));
    Write(System("busy.dll"), Library(0x10000, 0));
    HeldFile held(SystemPath("busy.dll").c_str());

    ASSERT_TRUE(Install());
    EXPECT_TRUE(restart);
    EXPECT_EQ(Read(System("busy.dll")), Library(0x10000, 0));
    EXPECT_EQ(Read(System("busy.tmp")), Library(0x20000, 0));
    if (!IsNT()) {
        EXPECT_EQ(Read("Windows/WININIT.INI"), "[rename]\r\n" + SystemPath("busy.dll") + " = " +
                                                   SystemPath("busy.tmp") + "\r\n");
    }
    fs::remove_all(Host("Staging"));
    held.Release();

    Restart();
    EXPECT_EQ(Read(System("busy.dll")), Library(0x20000, 0));
    EXPECT_FALSE(Exists(System("busy.tmp")));
}

// "a.dll" and "a.exe" would share "a.tmp"; the second copy must not take
// the first one's place.
TEST_P(InstallSystemFilesTest, TwoReplacementsOfOneStemGetTwoCopies) {
    for (const char* name : {"a.dll", "a.exe", "tool"}) {
        Stage(name, Library(0x20000, 0, name));
        Write(System(name), Library(0x10000, 0));
    }
    HeldFile dll(SystemPath("a.dll").c_str()), exe(SystemPath("a.exe").c_str()),
        tool(SystemPath("tool").c_str());

    ASSERT_TRUE(Install());
    EXPECT_EQ(Read(System("a.tmp")), Library(0x20000, 0, "a.dll"));
    EXPECT_EQ(Read(System("a~1.tmp")), Library(0x20000, 0, "a.exe"));
    EXPECT_EQ(Read(System("tool.tmp")), Library(0x20000, 0, "tool"));
    dll.Release();
    exe.Release();
    tool.Release();

    Restart();
    for (const char* name : {"a.dll", "a.exe", "tool"})
        EXPECT_EQ(Read(System(name)), Library(0x20000, 0, name)) << name;
}

// The copies made before a failure are of use only with their lines.
using OlderFamilyInstallSystemFilesTest = InstallSystemFilesTest;

TEST_P(OlderFamilyInstallSystemFilesTest, TheLinesMadeBeforeAFailureAreStillWritten) {
    Stage("one.dll", Library(0x20000, 0));
    Write(System("one.dll"), Library(0x10000, 0));
    Stage("zz.dll", "cannot be read");
    HeldFile one(SystemPath("one.dll").c_str());
    HANDLE staged =
        CreateFileA("C:\\Staging\\zz.dll", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(Install());
    CloseHandle(staged);
    EXPECT_TRUE(restart);
    EXPECT_EQ(Read("Windows/WININIT.INI"),
              "[rename]\r\n" + SystemPath("one.dll") + " = " + SystemPath("one.tmp") + "\r\n");
}

FILE_INSTALL_BOTH_FAMILIES(InstallSystemFilesTest);

// On a Japanese machine (code page 932) 表 is 95 5C and ソ 83 5C: their
// trail byte is the backslash. The host keeps the names in UTF-8.
class JapaneseInstallSystemFilesTest : public InstallSystemFilesTest {
protected:
    void SetUp() override {
        machine = std::make_unique<TestMachine>(Japanese932Settings(GetParam()));
        KIVResetPlatformFamily();
    }
    void Stage(const std::string& ansi, const std::string& host, const std::string& bytes) {
        Write("Staging/" + host, bytes);
        staged.push_back("C:\\Staging\\" + ansi);
    }
};

TEST_P(JapaneseInstallSystemFilesTest, NamesEndingInA5CByteKeepTheirWholeName) {
    Write(System("示.dll"), "an unrelated library");
    Stage("\x95\x5C.dll", "表.dll", Library(0x10000, 0, "hyo"));
    Stage("\x83\x5C\x83\x74\x83\x67.dll", "ソフト.dll", Library(0x10000, 0, "soft"));
    Stage("\x95\x5C\x8E\xA6.dll", "表示.dll", Library(0x10000, 0, "hyoji"));
    SetCount("\x83\x5C\x83\x74\x83\x67.dll", REG_DWORD, 2);

    ASSERT_TRUE(Install());
    EXPECT_EQ(Read(System("表.dll")), Library(0x10000, 0, "hyo"));
    EXPECT_EQ(Read(System("ソフト.dll")), Library(0x10000, 0, "soft"));
    EXPECT_EQ(Read(System("表示.dll")), Library(0x10000, 0, "hyoji"));
    EXPECT_EQ(Read(System("示.dll")), "an unrelated library");
    EXPECT_FALSE(Exists(System(".dll")));
    EXPECT_FALSE(Exists(System("フト.dll")));
    EXPECT_EQ(Count("\x95\x5C.dll"), std::make_pair(DWORD{REG_DWORD}, DWORD{1}));
    EXPECT_EQ(Count("\x83\x5C\x83\x74\x83\x67.dll"), std::make_pair(DWORD{REG_DWORD}, DWORD{3}));
}

// The copy that replaces a file in use at the next start takes the stem of
// the file's own name: "a.表" has the extension ".表".
TEST_P(JapaneseInstallSystemFilesTest, AReplacementCopyCutsTheExtensionAfterARealSeparator) {
    Stage("a.\x95\x5C", "a.表", Library(0x20000, 0));
    Write(System("a.表"), Library(0x10000, 0));
    HeldFile held(SystemPath("a.\x95\x5C").c_str());
    ASSERT_TRUE(Install());
    EXPECT_EQ(Read(System("a.tmp")), Library(0x20000, 0));
}

FILE_INSTALL_BOTH_FAMILIES(JapaneseInstallSystemFilesTest);
INSTANTIATE_TEST_SUITE_P(Win9x, OlderFamilyInstallSystemFilesTest,
                         ::testing::Values(PlatformFamily::Win9x));

} // namespace
