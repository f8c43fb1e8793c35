#include "PeImageBuilder.h"
#include "TestMachine.h"
#include "platform/PathMap.h"
#include "platform/Windows.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

using namespace PeImageBuilder;

namespace {

const std::uint32_t kVersionMS = 0x00050051; // 5.81
const std::uint32_t kVersionLS = 0x1260044C; // 4704.1100

std::string StandardBlock() {
    return VersionBlock(kVersionMS, kVersionLS,
                        {Text(u"CompanyName", u"Kiv\u00e9 Software"), Text(u"FileVersion", u"5.81"),
                         Text(u"Comments", u"")});
}

std::string VersionImage(bool wide, const std::string& block = StandardBlock()) {
    return Image(wide, {{3, 1, 0x0409, std::string(40, 'i')}, {16, 1, 0x0409, block}});
}

class VersionInfoTest : public MachineTest {
protected:
    // Writes bytes as C:\lib.dll and returns that Windows path.
    const char* Place(const std::string& bytes) {
        std::ofstream(machine.DriveC("lib.dll"), std::ios::binary | std::ios::trunc) << bytes;
        return "C:\\lib.dll";
    }

    // The whole buffer GetFileVersionInfoA fills for the file, empty with
    // the last error in error_ on failure.
    std::vector<BYTE> Info(const char* path) {
        DWORD handle = 7;
        DWORD size = GetFileVersionInfoSizeA(path, &handle);
        error_ = GetLastError();
        EXPECT_EQ(handle, 0u);
        if (size == 0)
            return {};
        std::vector<BYTE> buffer(size);
        EXPECT_TRUE(GetFileVersionInfoA(path, 0, size, buffer.data()));
        return buffer;
    }

    DWORD error_ = 0;
};

std::string AnsiValue(const std::vector<BYTE>& block, const char* path) {
    LPVOID value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), path, &value, &length))
        return "<none>";
    EXPECT_EQ(std::strlen(static_cast<char*>(value)) + 1, length);
    return static_cast<char*>(value);
}

} // namespace

// [SECTION] Whole images

TEST_F(VersionInfoTest, FixedFileVersionOfBothImageKinds) {
    for (bool wide : {false, true}) {
        std::vector<BYTE> block = Info(Place(VersionImage(wide)));
        ASSERT_FALSE(block.empty()) << "wide " << wide << " error " << error_;
        LPVOID value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), "", &value, &length));
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
        ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
        auto* fixed = static_cast<VS_FIXEDFILEINFO*>(value);
        EXPECT_EQ(fixed->dwSignature, VS_FFI_SIGNATURE);
        EXPECT_EQ(fixed->dwFileVersionMS, kVersionMS);
        EXPECT_EQ(fixed->dwFileVersionLS, kVersionLS);
        EXPECT_EQ(std::memcmp(block.data(), StandardBlock().data(), StandardBlock().size()), 0)
            << "the block is handed out as the file stores it";
    }
}

TEST_F(VersionInfoTest, WideFormsReadTheSameBlock) {
    Place(VersionImage(true));
    DWORD size = GetFileVersionInfoSizeW(u"C:\\LIB.DLL", nullptr);
    ASSERT_EQ(size, GetFileVersionInfoSizeA("C:\\lib.dll", nullptr));
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(u"C:\\lib.dll", 0, size, block.data()));
    LPVOID value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(
        VerQueryValueW(block.data(), u"\\StringFileInfo\\040904e4\\CompanyName", &value, &length));
    EXPECT_EQ(std::u16string(static_cast<char16_t*>(value)), u"Kiv\u00e9 Software");
    EXPECT_EQ(length, 14u); // characters with the terminator
}

TEST_F(VersionInfoTest, TextsAndTranslationsThroughTheAnsiForm) {
    std::vector<BYTE> block = Info(Place(VersionImage(false)));
    ASSERT_FALSE(block.empty());
    EXPECT_EQ(AnsiValue(block, "\\StringFileInfo\\040904E4\\CompanyName"), "Kiv\xe9 Software");
    EXPECT_EQ(AnsiValue(block, "\\stringfileinfo\\040904e4\\fileversion"), "5.81");
    EXPECT_EQ(AnsiValue(block, "\\\\StringFileInfo\\040904E4\\\\Comments"), "");
    EXPECT_EQ(AnsiValue(block, "\\StringFileInfo\\040904E4\\ProductName"), "<none>");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    LPVOID value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    auto* pair = static_cast<WORD*>(value);
    EXPECT_EQ(pair[0], 0x0409);
    EXPECT_EQ(pair[1], 1252);
}

TEST_F(VersionInfoTest, AnsiTextsInTheJapaneseCodePage) {
    MachineSettings japanese;
    japanese.codePage = 932;
    TestMachine other(japanese);
    std::string block =
        VersionBlock(kVersionMS, kVersionLS, {Text(u"FileDescription", u"\u30C6\u30B9\u30C8")});
    std::ofstream(other.DriveC("jp.dll"), std::ios::binary) << Image(true, {{16, 1, 0x411, block}});
    std::vector<BYTE> buffer(GetFileVersionInfoSizeA("C:\\jp.dll", nullptr));
    ASSERT_FALSE(buffer.empty());
    ASSERT_TRUE(
        GetFileVersionInfoA("C:\\jp.dll", 0, static_cast<DWORD>(buffer.size()), buffer.data()));
    EXPECT_EQ(AnsiValue(buffer, "\\StringFileInfo\\040904E4\\FileDescription"),
              "\x83\x65\x83\x58\x83\x67");
}

// [SECTION] Buffers the caller gives

TEST_F(VersionInfoTest, BuffersSmallerThanAskedForAreRefused) {
    DWORD size = GetFileVersionInfoSizeA(Place(VersionImage(false)), nullptr);
    ASSERT_GT(size, StandardBlock().size());
    std::vector<BYTE> buffer(size - 1, 0xAA);
    EXPECT_FALSE(GetFileVersionInfoA("C:\\lib.dll", 0, size - 1, buffer.data()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(buffer, std::vector<BYTE>(size - 1, 0xAA));
    EXPECT_FALSE(GetFileVersionInfoA("C:\\lib.dll", 0, size, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

// [SECTION] Files without version information

TEST_F(VersionInfoTest, ErrorsTellWhatIsMissing) {
    struct Case {
        const char* what;
        std::string bytes;
        DWORD error;
    } cases[] = {
        {"text file",
         "just some text, long enough to be more than a DOS header of sixty-four bytes",
         ERROR_BAD_EXE_FORMAT},
        {"empty file", "", ERROR_BAD_EXE_FORMAT},
        {"no resources", Image(false, {}), ERROR_RESOURCE_DATA_NOT_FOUND},
        {"no version resource", Image(true, {{3, 1, 0x409, "icon"}, {24, 1, 0x409, "xml"}}),
         ERROR_RESOURCE_TYPE_NOT_FOUND},
        {"root longer than the resource", VersionImage(false, StandardBlock().substr(0, 100)),
         ERROR_INVALID_DATA},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(Info(Place(c.bytes)).empty()) << c.what;
        EXPECT_EQ(error_, c.error) << c.what;
    }
    EXPECT_TRUE(Info("C:\\missing.dll").empty());
    EXPECT_EQ(error_, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(Info("C:\\Windows").empty());
    EXPECT_EQ(error_, static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

// The file is read as Windows maps an image for reading: beside other
// readers, not beside a writer.
TEST_F(VersionInfoTest, SharingWithOtherOpens) {
    Place(VersionImage(false));
    HANDLE reader = CreateFileA("C:\\lib.dll", GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(Info("C:\\lib.dll").empty());
    CloseHandle(reader);
    HANDLE writer = CreateFileA("C:\\lib.dll", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_TRUE(Info("C:\\lib.dll").empty());
    EXPECT_EQ(error_, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    CloseHandle(writer);
}

// Byte offsets inside the image made by VersionImage: the root directory,
// then each type's directory followed by the directories of its names.
const std::size_t kCoff = kPeOffset + 4;
const std::size_t kRoot = kSectionOffset;
const std::size_t kTypeEntries = kRoot + 16;       // icon, then version
const std::size_t kVersionNames = kRoot + 80;      // the names of the version type
const std::size_t kVersionLanguages = kRoot + 104; // the languages of its name
const std::size_t kVersionData = kRoot + 144;      // its data entry (after the icon's)

TEST_F(VersionInfoTest, DamagedHeadersAndTreesAreRefused) {
    struct Case {
        const char* what;
        std::size_t at;
        std::uint32_t value;
        bool dword;
        DWORD error;
    } cases[] = {
        {"PE header past the end", 0x3C, 0xFFFFFFF0u, true, ERROR_BAD_EXE_FORMAT},
        {"unknown optional header", kCoff + 20, 0x107, false, ERROR_BAD_EXE_FORMAT},
        {"optional header too short", kCoff + 16, 64, false, ERROR_BAD_EXE_FORMAT},
        {"too many sections", kCoff + 2, 0xFFFF, false, ERROR_BAD_EXE_FORMAT},
        {"huge entry counts", kRoot + 12, 0xFFFFFFFFu, true, ERROR_RESOURCE_DATA_NOT_FOUND},
        {"directory pointing at itself", kTypeEntries + 8 + 4, 0x80000000u, true,
         ERROR_RESOURCE_DATA_NOT_FOUND},
        {"type that is a leaf", kTypeEntries + 8 + 4, 0x30, true, ERROR_RESOURCE_DATA_NOT_FOUND},
        {"directory past the section", kTypeEntries + 8 + 4, 0x80001000u, true,
         ERROR_RESOURCE_DATA_NOT_FOUND},
        {"no names", kVersionNames + 14, 0, false, ERROR_RESOURCE_NAME_NOT_FOUND},
        {"no languages", kVersionLanguages + 14, 0, false, ERROR_RESOURCE_LANG_NOT_FOUND},
        {"data past the section", kVersionData, 0x1F00, true, ERROR_RESOURCE_DATA_NOT_FOUND},
        {"data size that wraps", kVersionData + 4, 0xFFFFFFFFu, true, ERROR_SUCCESS},
        {"data size below a header", kVersionData + 4, 5, true, ERROR_INVALID_DATA},
        {"section past the file", kCoff + 20 + 224 + 20, 0x7FFFFFF0u, true,
         ERROR_RESOURCE_DATA_NOT_FOUND},
    };
    for (const Case& c : cases) {
        std::string image = VersionImage(false);
        (c.dword ? Put32 : Put16)(&image, c.at, c.value);
        std::vector<BYTE> block = Info(Place(image));
        EXPECT_EQ(block.empty(), c.error != ERROR_SUCCESS) << c.what;
        EXPECT_EQ(error_, c.error) << c.what;
    }
}

// Every cut of a valid image either fails cleanly or, when only padding was
// cut, reads the very same block. (The file is cut in place: emptying and
// rewriting it each time would wait for the disk.)
TEST_F(VersionInfoTest, TruncatedImagesFailOrReadTheWholeBlock) {
    for (bool wide : {false, true}) {
        std::string image = VersionImage(wide);
        std::vector<BYTE> whole = Info(Place(image));
        ASSERT_FALSE(whole.empty());
        for (std::size_t size = image.size(); size-- > 0;) {
            std::filesystem::resize_file(machine.DriveC("lib.dll"), size);
            std::vector<BYTE> cut = Info("C:\\lib.dll");
            EXPECT_TRUE(cut.empty() || cut == whole) << "cut at " << size;
        }
    }
}

// Only the headers, the tree and the block are read: a library followed by
// gigabytes (a hole here) answers at once.
TEST_F(VersionInfoTest, HugeFilesAreNotReadWhole) {
    std::vector<BYTE> whole = Info(Place(VersionImage(true)));
    std::filesystem::resize_file(machine.DriveC("lib.dll"), 5ull << 30);
    EXPECT_EQ(Info("C:\\lib.dll"), whole);
}

// [SECTION] Queries over damaged blocks

namespace {

// A block in a buffer laid out as GetFileVersionInfo lays it out, with the
// mark of its room or without it.
std::vector<BYTE> Buffer(const std::string& block, bool marked = true) {
    std::vector<BYTE> buffer(((block.size() + 3) & ~std::size_t{3}) + 4 + block.size());
    std::memcpy(buffer.data(), block.data(), block.size());
    if (marked)
        std::memcpy(buffer.data() + ((block.size() + 3) & ~std::size_t{3}), "KIVA", 4);
    return buffer;
}

DWORD QueryError(const std::string& block, const char16_t* path) {
    std::vector<BYTE> buffer = Buffer(block);
    LPVOID value = nullptr;
    UINT length = 0;
    SetLastError(0);
    BOOL found = VerQueryValueW(buffer.data(), path, &value, &length);
    return found ? ERROR_SUCCESS : GetLastError();
}

} // namespace

TEST(VersionQuery, RootMustHoldTheFixedInformation) {
    std::string bad = FixedInfo(1, 2);
    Put32(&bad, 0, 0xFEEF04BC);
    EXPECT_EQ(QueryError(Node(u"VS_VERSION_INFO", 0, "", 0), u"\\"),
              static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_EQ(QueryError(Node(u"VS_VERSION_INFO", 0, bad, 52), u"\\"),
              static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_EQ(QueryError(Node(u"VS_VERSION_INFO", 0, FixedInfo(1, 2), 52), u""),
              static_cast<DWORD>(ERROR_SUCCESS));
    std::string tooShort = Node(u"VS_VERSION_INFO", 0, FixedInfo(1, 2), 52);
    Put16(&tooShort, 0, 5);
    EXPECT_EQ(QueryError(tooShort, u"\\"), static_cast<DWORD>(ERROR_INVALID_DATA));
}

TEST(VersionQuery, NodesAreReadOnlyWithinTheirParents) {
    std::string text = Text(u"Name", u"value");
    std::string block = Node(u"VS_VERSION_INFO", 0, FixedInfo(1, 2), 52,
                             {Node(u"StringFileInfo", 1, "", 0, {text})});
    const char16_t* path = u"\\StringFileInfo\\Name";
    EXPECT_EQ(QueryError(block, path), static_cast<DWORD>(ERROR_SUCCESS));
    std::size_t child = block.size() - text.size();
    std::string overrun = block;
    Put16(&overrun, child, text.size() + 4); // longer than its parent
    EXPECT_EQ(QueryError(overrun, path), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    std::string empty = block;
    Put16(&empty, child, 0); // a zero length must not loop
    EXPECT_EQ(QueryError(empty, path), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    std::string unterminated = block;
    unterminated.replace(unterminated.size() - 2, 2, "x\0", 2);
    EXPECT_EQ(QueryError(unterminated, path), static_cast<DWORD>(ERROR_INVALID_DATA));
    std::string keyRunsOut = block;
    Put16(&keyRunsOut, child, 10); // ends inside "Name"
    EXPECT_EQ(QueryError(keyRunsOut, path), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
}

// A block copied without the room's mark still answers binary and wide
// queries; a text asked in ANSI fails instead of being written where the
// caller may have nothing.
TEST(VersionQuery, BlockWithoutRoomGivesNoAnsiTexts) {
    std::vector<BYTE> buffer = Buffer(StandardBlock(), false);
    LPVOID value = nullptr;
    UINT length = 0;
    EXPECT_TRUE(VerQueryValueA(buffer.data(), "\\", &value, &length));
    const char* path = "\\StringFileInfo\\040904E4\\FileVersion";
    EXPECT_FALSE(VerQueryValueA(buffer.data(), path, &value, &length));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(buffer, Buffer(StandardBlock(), false));
    EXPECT_TRUE(
        VerQueryValueW(buffer.data(), u"\\StringFileInfo\\040904E4\\FileVersion", &value, &length));
}

// Some tools count a text's value length in bytes: the text still ends at
// its terminator, and the length never reaches past the node.
TEST(VersionQuery, TextLengthsCountedInBytesAreCut) {
    std::string text = Node(u"Name", 1, Utf16(u"value"), 12);
    std::vector<BYTE> buffer = Buffer(Node(u"VS_VERSION_INFO", 0, FixedInfo(1, 2), 52, {text}));
    LPVOID value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(buffer.data(), u"\\Name", &value, &length));
    EXPECT_EQ(std::u16string(static_cast<char16_t*>(value)), u"value");
    EXPECT_EQ(length, 6u);
}

// [SECTION] Real libraries nobody here wrote

namespace {

// The folder of unpacked PE files of Debian's libwine (see
// scripts/fetch-test-dlls.sh): $KIV_WINE_DLLS, or the script's cache folder.
std::string WineDlls() {
    const char* folder = std::getenv("KIV_WINE_DLLS");
    if (folder && *folder)
        return folder;
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    if (cache && *cache)
        return std::string(cache) + "/kiv/wine-dlls";
    return home ? std::string(home) + "/.cache/kiv/wine-dlls" : "";
}

} // namespace

TEST_F(VersionInfoTest, RealLibrariesFromWine) {
    namespace fs = std::filesystem;
    std::string folder = WineDlls();
    std::error_code ignored;
    if (folder.empty() || !fs::exists(folder + "/comctl32.dll", ignored))
        GTEST_SKIP() << "no unpacked libwine in " << folder << " (scripts/fetch-test-dlls.sh)";
    std::string comctl = PathMap::ToWindows(folder + "/comctl32.dll");
    std::vector<BYTE> block = Info(comctl.c_str());
    ASSERT_FALSE(block.empty()) << error_;
    LPVOID value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
    EXPECT_EQ(static_cast<VS_FIXEDFILEINFO*>(value)->dwFileVersionMS, kVersionMS);
    EXPECT_EQ(static_cast<VS_FIXEDFILEINFO*>(value)->dwFileVersionLS, kVersionLS);
    EXPECT_EQ(AnsiValue(block, "\\StringFileInfo\\040904B0\\FileVersion"), "5.81");

    int withVersion = 0, without = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ignored)) {
        std::string path = PathMap::ToWindows(entry.path().string());
        block = Info(path.c_str());
        if (block.empty()) {
            ++without;
            EXPECT_TRUE(error_ == ERROR_RESOURCE_DATA_NOT_FOUND ||
                        error_ == ERROR_RESOURCE_TYPE_NOT_FOUND)
                << path << " " << error_;
            continue;
        }
        ++withVersion;
        EXPECT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length)) << path;
        EXPECT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length))
            << path;
        // The block must be bytes the file really holds, found without the
        // image's tree.
        std::string bytes(entry.file_size(), '\0');
        std::ifstream(entry.path(), std::ios::binary).read(bytes.data(), bytes.size());
        std::size_t length16 = block.size() > 2 ? (block[0] | block[1] << 8) : 0;
        EXPECT_NE(bytes.find(std::string(block.begin(), block.begin() + length16)),
                  std::string::npos)
            << path;
    }
    EXPECT_GT(withVersion, 200);
    RecordProperty("with_version", withVersion);
    RecordProperty("without_version", without);
}
