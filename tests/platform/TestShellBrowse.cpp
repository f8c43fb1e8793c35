// Item lists of file-system folders and their paths, the desktop folder's
// parsing of a path, SHBrowseForFolderA over a registered browser, and the
// machine's drives.
#include "TestMachine.h"
#include "platform/ShlObj.h"
#include "platform/WinBase.h"
#include "platform/ui/FolderBrowserHook.h"

#include <cstring>
#include <filesystem>
#include <string>

namespace {

// A registered browser for one test; the last request it got.
struct BrowserStandIn {
    BrowserStandIn(bool choose, std::u16string folder) {
        answer = choose;
        chosen = std::move(folder);
        SetFolderBrowserHook(&Browse);
    }
    ~BrowserStandIn() { SetFolderBrowserHook(nullptr); }
    static bool Browse(const FolderBrowseRequest& request, std::u16string* folder) {
        root = request.root;
        flags = request.info->ulFlags;
        *folder = chosen;
        return answer;
    }
    static inline bool answer = false;
    static inline std::u16string chosen;
    static inline std::u16string root;
    static inline UINT flags = 0;
};

std::string PathOf(LPCITEMIDLIST item) {
    char path[MAX_PATH] = "junk";
    return SHGetPathFromIDListA(item, path) ? std::string(path) : "failed:" + std::string(path);
}

} // namespace

TEST(ItemList, AFolderPathMakesOneItemOfSignatureAndUtf16Path) {
    LPITEMIDLIST item = ILCreateFromPathW(u"C:\\Dé");
    ASSERT_NE(item, nullptr);
    const BYTE* bytes = reinterpret_cast<const BYTE*>(item);
    const BYTE expected[] = {16, 0,    'K', 'I', 'V', 'P',  'C', 0, ':',
                             0,  '\\', 0,   'D', 0,   0xE9, 0,   0, 0};
    EXPECT_EQ(std::memcmp(bytes, expected, sizeof expected), 0);
    ILFree(item);
}

TEST(ItemList, PathsComeBackInTheAnsiCodePageForBothKindsOfList) {
    TestMachine machine;
    LPITEMIDLIST folder = ILCreateFromPathA("C:\\Program Files\\Caf\xE9");
    EXPECT_EQ(PathOf(folder), "C:\\Program Files\\Caf\xE9");
    ILFree(folder);
    LPITEMIDLIST special = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_PROGRAMS, &special), S_OK);
    EXPECT_EQ(PathOf(special), MachineFolders::UserPrograms());
    ILFree(special);
}

TEST(ItemList, ForeignListsRelativePathsAndOverlongPathsAreRefused) {
    TestMachine machine;
    const BYTE foreign[] = {6, 0, 'A', 'B', 'C', 'D', 0, 0};
    EXPECT_EQ(PathOf(reinterpret_cast<LPCITEMIDLIST>(foreign)), "failed:");
    EXPECT_EQ(PathOf(nullptr), "failed:");
    EXPECT_EQ(ILCreateFromPathA("Program Files"), nullptr);
    EXPECT_EQ(ILCreateFromPathA("\\Windows"), nullptr);
    EXPECT_EQ(ILCreateFromPathA(("C:\\" + std::string(MAX_PATH, 'a')).c_str()), nullptr);
    // A path of MAX_PATH - 1 wide characters that needs more bytes in code
    // page 932 does not fit the caller's buffer.
    MachineSettings japanese;
    japanese.codePage = 932;
    TestMachine other(japanese);
    std::u16string wide = u"C:\\" + std::u16string(MAX_PATH - 4, u'\u3042');
    LPITEMIDLIST item = ILCreateFromPathW(wide.c_str());
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(PathOf(item), "failed:");
    ILFree(item);
}

TEST(ItemList, TheDesktopParsesAnExistingFolderAndNamesItBack) {
    TestMachine machine;
    IShellFolder* desktop = nullptr;
    ASSERT_EQ(SHGetDesktopFolder(&desktop), S_OK);
    std::u16string path = u"C:\\Windows";
    LPITEMIDLIST item = nullptr;
    ULONG eaten = 0;
    ASSERT_EQ(desktop->ParseDisplayName(nullptr, nullptr, path.data(), &eaten, &item, nullptr),
              S_OK);
    EXPECT_EQ(eaten, path.size());
    STRRET name{};
    ASSERT_EQ(desktop->GetDisplayNameOf(item, SHGDN_FORPARSING, &name), S_OK);
    EXPECT_EQ(std::u16string(name.pOleStr), u"C:\\Windows");
    IMalloc* malloc = nullptr;
    SHGetMalloc(&malloc);
    malloc->Free(name.pOleStr);
    ILFree(item);
    std::u16string missing = u"C:\\Nowhere";
    EXPECT_EQ(desktop->ParseDisplayName(nullptr, nullptr, missing.data(), nullptr, &item, nullptr),
              HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(item, nullptr);
    desktop->Release();
}

TEST(BrowseForFolder, WithoutARegisteredBrowserItIsCancelled) {
    SetFolderBrowserHook(nullptr);
    BROWSEINFOA info{};
    EXPECT_EQ(SHBrowseForFolderA(&info), nullptr);
    EXPECT_EQ(SHBrowseForFolderA(nullptr), nullptr);
}

TEST(BrowseForFolder, TheChoiceComesBackAsAnItemListWithItsNameAndImage) {
    TestMachine machine;
    BrowserStandIn browser(true, u"C:\\Program Files\\Maker");
    char name[MAX_PATH] = {};
    LPITEMIDLIST root = ILCreateFromPathA("C:\\Program Files");
    BROWSEINFOA info{};
    info.pidlRoot = root;
    info.pszDisplayName = name;
    info.ulFlags = 0x59;
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(PathOf(item), "C:\\Program Files\\Maker");
    EXPECT_STREQ(name, "Maker");
    EXPECT_EQ(info.iImage, 3);
    EXPECT_EQ(BrowserStandIn::root, u"C:\\Program Files");
    EXPECT_EQ(BrowserStandIn::flags, 0x59u);
    ILFree(item);
    ILFree(root);
    info.pidlRoot = nullptr;

    BrowserStandIn drive(true, u"D:\\");
    item = SHBrowseForFolderA(&info);
    EXPECT_STREQ(name, "D:");
    EXPECT_EQ(info.iImage, 8);
    ILFree(item);
}

TEST(BrowseForFolder, ACancelledBrowserLeavesTheNameAlone) {
    TestMachine machine;
    BrowserStandIn browser(false, u"C:\\Ignored");
    char name[MAX_PATH] = "before";
    BROWSEINFOA info{};
    info.pszDisplayName = name;
    EXPECT_EQ(SHBrowseForFolderA(&info), nullptr);
    EXPECT_STREQ(name, "before");
    const BYTE foreign[] = {6, 0, 'A', 'B', 'C', 'D', 0, 0};
    info.pidlRoot = reinterpret_cast<LPCITEMIDLIST>(foreign);
    BrowserStandIn choosing(true, u"C:\\Windows");
    EXPECT_EQ(SHBrowseForFolderA(&info), nullptr) << "a root this shell did not make";
}

TEST(LogicalDrives, CAndZAndEveryMappedLetter) {
    TestMachine machine;
    EXPECT_EQ(GetLogicalDrives(), (1u << 2) | (1u << 25));
    std::filesystem::create_directories(machine.Root() + "/drive_e");
    std::filesystem::create_directories(machine.Root() + "/drive_a");
    EXPECT_EQ(GetLogicalDrives(), 1u | (1u << 2) | (1u << 4) | (1u << 25));
}
