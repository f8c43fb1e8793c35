#include "TestMachine.h"
#include "platform/ShellLinkFile.h"
#include "platform/ShlObj.h"
#include "platform/Windows.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

// A thread that has initialised the component-object library, for one test.
class ShellLinkTest : public MachineTest {
protected:
    void SetUp() override { ASSERT_EQ(CoInitialize(nullptr), S_OK); }
    void TearDown() override { CoUninitialize(); }

    ShellLinkData ReadHost(const std::string& host) {
        std::ifstream in(host, std::ios::binary);
        const std::vector<BYTE> bytes{std::istreambuf_iterator<char>(in), {}};
        ShellLinkData link;
        EXPECT_TRUE(ShellLinkFile::Read(bytes.data(), bytes.size(), &link)) << host;
        return link;
    }
};

HRESULT SaveLink(LPCSTR target, LPCSTR description, LPCOLESTR linkPath) {
    IShellLinkA* link = nullptr;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkA, reinterpret_cast<void**>(&link));
    if (FAILED(result))
        return result;
    IPersistFile* file = nullptr;
    result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (SUCCEEDED(result))
        result = link->SetPath(target);
    if (SUCCEEDED(result))
        result = link->SetDescription(description);
    if (SUCCEEDED(result))
        result = file->Save(linkPath, TRUE);
    if (file)
        file->Release();
    link->Release();
    return result;
}

std::u16string SpecialFolder(int csidl) {
    IMalloc* malloc = nullptr;
    IShellFolder* desktop = nullptr;
    LPITEMIDLIST pidl = nullptr;
    std::u16string path;
    STRRET name{};
    if (SHGetMalloc(&malloc) == S_OK && SHGetDesktopFolder(&desktop) == S_OK &&
        SHGetSpecialFolderLocation(nullptr, csidl, &pidl) == S_OK &&
        desktop->GetDisplayNameOf(pidl, SHGDN_FORPARSING, &name) == S_OK) {
        EXPECT_EQ(name.uType, STRRET_WSTR);
        path = name.pOleStr;
        malloc->Free(name.pOleStr);
    }
    if (pidl)
        malloc->Free(pidl);
    if (desktop)
        desktop->Release();
    return path;
}

} // namespace

TEST_F(ShellLinkTest, SavedLinkHoldsTargetAndDescription) {
    ASSERT_EQ(
        SaveLink("C:\\Program Files\\Kiv\\kiv.exe", "Shortcut to kiv.exe", u"C:\\Windows\\kiv.LNK"),
        S_OK);
    const ShellLinkData link = ReadHost(machine.DriveC("Windows/kiv.LNK"));
    EXPECT_EQ(link.ansiTargetPath, "C:\\Program Files\\Kiv\\kiv.exe");
    EXPECT_EQ(link.targetPath, u"C:\\Program Files\\Kiv\\kiv.exe");
    EXPECT_EQ(link.description, u"Shortcut to kiv.exe");
}

TEST_F(ShellLinkTest, SaveFailsWhereTheMachineRefusesTheFile) {
    EXPECT_EQ(SaveLink("C:\\a.exe", "a", u"C:\\No such folder\\a.LNK"),
              HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
    // A link on the host that points out of the machine is not written through.
    std::filesystem::create_symlink("/tmp", machine.DriveC("Windows/out"));
    EXPECT_TRUE(FAILED(SaveLink("C:\\a.exe", "a", u"C:\\Windows\\out\\a.LNK")));
}

TEST_F(ShellLinkTest, CreationNeedsInitialisationAndTheLinkClass) {
    void* object = nullptr;
    EXPECT_EQ(
        CoCreateInstance(IID_IShellFolder, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object),
        REGDB_E_CLASSNOTREG);
    EXPECT_EQ(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IMalloc, &object),
        E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, &object),
        CO_E_NOTINITIALIZED);
    EXPECT_EQ(OleInitialize(nullptr), S_OK);
}

TEST_F(ShellLinkTest, SetPathRefusesTextsLongerThanAPath) {
    const std::string longPath = "C:\\" + std::string(MAX_PATH, 'a');
    EXPECT_EQ(SaveLink(longPath.c_str(), "a", u"C:\\Windows\\a.LNK"), E_INVALIDARG);
    EXPECT_FALSE(std::filesystem::exists(machine.DriveC("Windows/a.LNK")));
}

TEST_F(ShellLinkTest, SpecialFoldersAreTheMachinesStartMenuFolders) {
    EXPECT_EQ(SpecialFolder(CSIDL_PROGRAMS),
              u"C:\\Documents and Settings\\User\\Start Menu\\Programs");
    EXPECT_EQ(SpecialFolder(CSIDL_STARTUP),
              u"C:\\Documents and Settings\\User\\Start Menu\\Programs\\Startup");
    EXPECT_EQ(SpecialFolder(CSIDL_COMMON_PROGRAMS),
              u"C:\\Documents and Settings\\All Users\\Start Menu\\Programs");
    EXPECT_EQ(SpecialFolder(CSIDL_COMMON_STARTUP),
              u"C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\Startup");
    LPITEMIDLIST pidl = nullptr;
    EXPECT_EQ(SHGetSpecialFolderLocation(nullptr, 0x0005, &pidl), E_INVALIDARG);
    EXPECT_EQ(pidl, nullptr);
}
