// The registry file: its layout on disk and its handling of damaged files.
#include "TestMachine.h"
#include "toolkit/KIVRegistry.h"
#include "toolkit/KIVSystem.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

const char16_t* const kFile = u"test.reg";

class KIVRegistryFileTest : public MachineTest {
protected:
    void SetUp() override { KIVResetPlatformFamily(); }

    std::string HostPath() const { return machine.DriveC("Windows/test.reg"); }
    std::string Content() const {
        std::ifstream in(HostPath(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void Write(const std::string& content) const {
        std::ofstream(HostPath(), std::ios::binary) << content;
    }
    static std::string Lines(std::initializer_list<const char*> lines) {
        std::string out;
        for (const char* line : lines)
            out += std::string(line) + "\r\r\n";
        return out;
    }

    LONG Open(HKEY parent, const char* name, REGSAM access, HKEY* key) {
        return KIVRegOpenKey(parent, name, 0, access, key, kFile);
    }
    LONG Set(HKEY key, const char* name, const char* data) {
        return KIVRegSetValue(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                              static_cast<DWORD>(std::strlen(data) + 1), kFile);
    }
    // The values of a key as "name=data" lines.
    std::vector<std::string> Values(HKEY key) {
        std::vector<std::string> values;
        for (DWORD index = 0;; ++index) {
            char name[64], data[64];
            DWORD nameSize = sizeof name, dataSize = sizeof data;
            if (KIVRegEnumValue(key, index, name, &nameSize, nullptr, nullptr,
                                reinterpret_cast<BYTE*>(data), &dataSize, kFile) != 0)
                return values;
            values.push_back(std::string(name) + "=" + data);
        }
    }
};

} // namespace

TEST_F(KIVRegistryFileTest, NewFileGetsMarkersAndTheKeyHeader) {
    HKEY key = nullptr;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "SOFTWARE", KEY_WRITE, &key), 0);
    std::string expected = Lines({"$ROOT$", "$MACHINE$", "[SOFTWARE]"});
    EXPECT_EQ(Content(), expected);
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(key), expected.size());
    EXPECT_NE(KIVRegCloseKey(key, kFile), 0);
    HKEY again = nullptr;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "SOFTWARE", KEY_READ, &again), 0);
    EXPECT_EQ(again, key);
}

TEST_F(KIVRegistryFileTest, SubKeyGoesDirectlyAfterItsParentsHeader) {
    HKEY software = nullptr, vendor = nullptr, product = nullptr;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "SOFTWARE", KEY_WRITE, &software), 0);
    ASSERT_EQ(Open(software, "Vendor", KEY_WRITE, &vendor), 0);
    ASSERT_EQ(Set(vendor, "Path", "C:\\V"), 0);
    ASSERT_EQ(Open(vendor, "Product", KEY_WRITE, &product), 0);
    EXPECT_EQ(Content(),
              Lines({"$ROOT$", "$MACHINE$", "[SOFTWARE]", "[Vendor]", "[Product]", "Path:C:\\V"}));
}

TEST_F(KIVRegistryFileTest, ValuesAreReplacedInPlaceOrInsertedBeforeTheNextHeader) {
    Write(Lines({"$ROOT$", "$MACHINE$", "[A]", "one:1", "two:2", "[B]", "b:x"}));
    HKEY a = nullptr, b = nullptr;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "A", KEY_READ, &a), 0);
    ASSERT_EQ(Set(a, "one", "first"), 0);
    ASSERT_EQ(Set(a, "three", "3"), 0);
    EXPECT_EQ(Content(),
              Lines({"$ROOT$", "$MACHINE$", "[A]", "one:first", "two:2", "three:3", "[B]", "b:x"}));
    // The key names compare exactly: "a" is not "A".
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "a", KEY_READ, &b), -1);
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "B", KEY_READ, &b), 0);
    ASSERT_EQ(Set(b, "c", "y"), 0); // the file ends inside B: appended
    EXPECT_EQ(Values(a), (std::vector<std::string>{"one=first", "two=2", "three=3"}));
    EXPECT_EQ(Values(b), (std::vector<std::string>{"b=x", "c=y"}));
}

TEST_F(KIVRegistryFileTest, EnumerationCutsIntoTheCallersBuffers) {
    Write(Lines({"$ROOT$", "$MACHINE$", "[K]", "LongName:0123456789", "plain"}));
    HKEY key = nullptr;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "K", KEY_READ, &key), 0);
    char name[5] = "####", data[4] = "###";
    DWORD nameSize = sizeof name, dataSize = sizeof data, type = 77;
    ASSERT_EQ(KIVRegEnumValue(key, 0, name, &nameSize, nullptr, &type,
                              reinterpret_cast<BYTE*>(data), &dataSize, kFile),
              0);
    EXPECT_STREQ(name, "Long");
    EXPECT_STREQ(data, "012");
    EXPECT_EQ(type, 77u); // untouched, as are the sizes
    EXPECT_EQ(nameSize, sizeof name);
    // A line without ":" ends the values, as the end of the file does.
    EXPECT_EQ(KIVRegEnumValue(key, 1, name, &nameSize, nullptr, nullptr, nullptr, nullptr, kFile),
              -1);
}

TEST_F(KIVRegistryFileTest, MissingKeysAndFilesFailWithoutChange) {
    Write(Lines({"$ROOT$", "$MACHINE$", "[Last]"}));
    HKEY key = nullptr;
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "Other", KEY_READ, &key), -1);
    // A header that is the file's last line leaves nothing to open without creation.
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "Last", KEY_QUERY_VALUE, &key), 0);
    EXPECT_EQ(Open(key, "Child", KEY_QUERY_VALUE, &key), -1);
    EXPECT_EQ(Content(), Lines({"$ROOT$", "$MACHINE$", "[Last]"}));
    EXPECT_EQ(Open(HKEY_CURRENT_USER, "Other", KEY_WRITE, &key), -1);
    EXPECT_EQ(KIVRegOpenKey(HKEY_LOCAL_MACHINE, "X", 0, KEY_WRITE, &key, u"..\\escape.reg"), -1);
    EXPECT_EQ(KIVRegOpenKey(HKEY_LOCAL_MACHINE, "X", 0, KEY_WRITE, &key, u"a/b.reg"), -1);
    EXPECT_FALSE(std::filesystem::exists(machine.DriveC("escape.reg")));
}

TEST_F(KIVRegistryFileTest, FileWithoutTheMarkerIsMadeAnew) {
    Write(Lines({"$ROOT$", "[Old]", "v:1"}));
    HKEY key = nullptr;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "New", KEY_WRITE, &key), 0);
    EXPECT_EQ(Content(), Lines({"$ROOT$", "$MACHINE$", "[New]"}));
    // A marker followed by other text on its line still counts.
    Write("$ROOT$x\n$MACHINE$!\n[K]\n");
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "K", KEY_READ, &key), 0);
}

TEST_F(KIVRegistryFileTest, UnreadableFileIsNeverReplaced) {
    std::filesystem::create_directories(HostPath() + "/inside");
    HKEY key = nullptr;
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "K", KEY_WRITE, &key), -1);
    EXPECT_TRUE(std::filesystem::is_directory(HostPath()));
}

TEST_F(KIVRegistryFileTest, ForeignLineEndsAreReadAndRewrittenAsCrCrLf) {
    Write("$ROOT$\n$MACHINE$\r\n[K]\rjunk\nv:1");
    HKEY key = nullptr;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "K", KEY_READ, &key), 0);
    EXPECT_EQ(Values(key), std::vector<std::string>{"v=1"});
    ASSERT_EQ(Set(key, "w", "2\r\n3"), 0);
    EXPECT_EQ(Content(), Lines({"$ROOT$", "$MACHINE$", "[K]junk", "v:1", "w:23"}));
}

TEST_F(KIVRegistryFileTest, DamagedAndOddContentIsHandledSafely) {
    std::string longLine(5000, 'x');
    std::string many;
    for (int i = 0; i < 1000; ++i)
        many += "v" + std::to_string(i) + ":" + std::to_string(i) + "\r\r\n";
    Write(Lines({"$ROOT$", "$MACHINE$", "[K]"}) + longLine + ":" + longLine + "\r\r\n" + many);
    HKEY key = nullptr;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "K", KEY_READ, &key), 0);
    std::vector<std::string> values = Values(key);
    ASSERT_EQ(values.size(), 1001u);
    EXPECT_EQ(values[0], std::string(63, 'x') + "=" + std::string(63, 'x'));
    EXPECT_EQ(values[1000], "v999=999");

    Write(std::string("$MACHINE$\0\xFF[K]\0:\n\n[K]\n\0\0:\0", 26));
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "K", KEY_READ, &key), 0);
    EXPECT_EQ(Set(key, "n", "d"), 0);
    EXPECT_EQ(Set(key, "bad:name", "d"), -1);
    EXPECT_EQ(Set(key, "[header", "d"), -1);
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "line\nbreak", KEY_WRITE, &key), -1);
}

TEST_F(KIVRegistryFileTest, HandlesBeyondTheFileAreSafe) {
    Write(Lines({"$ROOT$", "$MACHINE$"}));
    HKEY far = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x7FFFFFF0));
    HKEY key = nullptr;
    EXPECT_EQ(KIVRegEnumValue(far, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, kFile),
              -1);
    EXPECT_EQ(Open(far, "K", KEY_READ, &key), -1);
    EXPECT_EQ(Set(far, "v", "1"), 0); // appended at the end
    ASSERT_EQ(Open(far, "K", KEY_WRITE, &key), 0);
    EXPECT_EQ(Content(), Lines({"$ROOT$", "$MACHINE$", "v:1", "[K]"}));
}

TEST_F(KIVRegistryFileTest, DeleteRegistryFileUsesTheDefaultName) {
    std::ofstream(machine.DriveC("Windows/KIV.reg")) << "$ROOT$\n";
    Write("x");
    KIVDeleteRegistryFile(nullptr);
    EXPECT_FALSE(std::filesystem::exists(machine.DriveC("Windows/KIV.reg")));
    EXPECT_TRUE(std::filesystem::exists(HostPath()));
    KIVDeleteRegistryFile(kFile);
    EXPECT_FALSE(std::filesystem::exists(HostPath()));
}

TEST_F(KIVRegistryFileTest, WithoutAFileNameTheSystemRegistryIsUsed) {
    HKEY key = nullptr;
    EXPECT_EQ(KIVRegOpenKey(HKEY_CURRENT_USER, "Talvic", 0, KEY_READ, &key, nullptr),
              ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(KIVRegOpenKey(HKEY_CURRENT_USER, "Talvic", 0, KEY_WRITE, &key, nullptr),
              ERROR_SUCCESS);
    const BYTE data[] = "German";
    ASSERT_EQ(KIVRegSetValue(key, "Language", 0, REG_SZ, data, sizeof data, nullptr),
              ERROR_SUCCESS);
    char name[32];
    BYTE read[32];
    DWORD nameSize = sizeof name, readSize = sizeof read, type = 0;
    ASSERT_EQ(KIVRegEnumValue(key, 0, name, &nameSize, nullptr, &type, read, &readSize, nullptr),
              ERROR_SUCCESS);
    EXPECT_STREQ(name, "Language");
    EXPECT_EQ(readSize, sizeof data);
    EXPECT_EQ(KIVRegCloseKey(key, nullptr), ERROR_SUCCESS);
    EXPECT_FALSE(std::filesystem::exists(machine.DriveC("Windows/KIV.reg")));
}

TEST(KIVRegistryFileFamily, OlderFamilyWritesThroughTheNarrowFunctions) {
    MachineSettings settings;
    settings.family = PlatformFamily::Win9x;
    TestMachine machine(settings);
    KIVResetPlatformFamily();
    ASSERT_FALSE(KIVIsWindowsNT());
    HKEY key = nullptr;
    ASSERT_EQ(KIVRegOpenKey(HKEY_CLASSES_ROOT, "htmlfile", 0, KEY_WRITE, &key, u"KIV.reg"), 0);
    const BYTE data[] = "x";
    ASSERT_EQ(KIVRegSetValue(key, "v", 0, REG_SZ, data, 2, u"KIV.reg"), 0);
    std::ifstream in(machine.DriveC("Windows/KIV.reg"), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "$ROOT$\r\r\n[htmlfile]\r\r\nv:x\r\r\n$MACHINE$\r\r\n");
    KIVResetPlatformFamily();
}
