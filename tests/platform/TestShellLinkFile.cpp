#include "platform/ShellLinkFile.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

// A link as the format describes it, written out by hand: header with an
// item identifier list (only its terminator), a LinkInfo block with the
// 28-byte header and the local base path "C:\test\a.txt", and the Unicode
// name string "Hi".
constexpr std::array<BYTE, 150> kHandWrittenLink = {
    0x4C, 0x00, 0x00, 0x00,                         // header size
    0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, // link class identifier
    0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46, //
    0x87, 0x00, 0x00, 0x00,                         // id list, info, name, Unicode
    0x20, 0x00, 0x00, 0x00,                         // archive attribute
    0,    0,    0,    0,    0,    0,    0,    0,    0,   0,   0,   0, // three times
    0,    0,    0,    0,    0,    0,    0,    0,    0,   0,   0,   0, //
    0,    0,    0,    0,    0,    0,    0,    0,                      // file size, icon index
    0x01, 0x00, 0x00, 0x00,                                           // show normal
    0,    0,    0,    0,    0,    0,    0,    0,    0,   0,   0,   0, // hot key, reserved
    0x02, 0x00, 0x00, 0x00,                         // id list of 2 bytes: terminator
    0x3C, 0x00, 0x00, 0x00,                         // LinkInfo size
    0x1C, 0x00, 0x00, 0x00,                         // LinkInfo header size
    0x01, 0x00, 0x00, 0x00,                         // volume id and local base path
    0x1C, 0x00, 0x00, 0x00,                         // volume id offset
    0x2D, 0x00, 0x00, 0x00,                         // local base path offset
    0x00, 0x00, 0x00, 0x00,                         // no network location
    0x3B, 0x00, 0x00, 0x00,                         // common path suffix offset
    0x11, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, // volume id: size, fixed drive
    0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, // serial, label offset
    0x00,                                           // empty label
    'C',  ':',  '\\', 't',  'e',  's',  't',  '\\', 'a', '.', 't', 'x', 't', 0x00, // base path
    0x00,                                                                          // empty suffix
    0x02, 0x00, 'H',  0x00, 'i',  0x00,                                            // name string
    0x00, 0x00, 0x00, 0x00};                                                       // terminal block

ShellLinkData Sample() {
    ShellLinkData link;
    link.ansiTargetPath = "C:\\Program Files\\Kiv\\caf\xe9.exe";
    link.targetPath = u"C:\\Program Files\\Kiv\\caf\u00e9.exe";
    link.description = u"Shortcut to caf\u00e9.exe";
    return link;
}

bool Read(const std::vector<BYTE>& bytes, ShellLinkData* link) {
    return ShellLinkFile::Read(bytes.data(), bytes.size(), link);
}

} // namespace

TEST(ShellLinkFile, ReadsALinkWrittenFromTheFormat) {
    ShellLinkData link;
    ASSERT_TRUE(ShellLinkFile::Read(kHandWrittenLink.data(), kHandWrittenLink.size(), &link));
    EXPECT_EQ(link.ansiTargetPath, "C:\\test\\a.txt");
    EXPECT_EQ(link.targetPath, u"");
    EXPECT_EQ(link.description, u"Hi");
    EXPECT_EQ(link.fileAttributes, 0x20u);
}

TEST(ShellLinkFile, WrittenHeaderHoldsTheFormatsFixedFields) {
    const std::vector<BYTE> bytes = ShellLinkFile::Write(Sample());
    ASSERT_GE(bytes.size(), 0x4Cu);
    EXPECT_TRUE(std::equal(kHandWrittenLink.begin(), kHandWrittenLink.begin() + 20, bytes.begin()));
    EXPECT_EQ(bytes[20], 0x86); // LinkInfo, name, Unicode; no id list
    EXPECT_EQ(bytes[60], 0x01); // show normal
    const std::vector<BYTE> end(bytes.end() - 4, bytes.end());
    EXPECT_EQ(end, std::vector<BYTE>(4, 0));
}

TEST(ShellLinkFile, WrittenLinkReadsBackWithBothPathsAndTheDescription) {
    ShellLinkData link;
    ASSERT_TRUE(Read(ShellLinkFile::Write(Sample()), &link));
    EXPECT_EQ(link.ansiTargetPath, Sample().ansiTargetPath);
    EXPECT_EQ(link.targetPath, Sample().targetPath);
    EXPECT_EQ(link.description, Sample().description);

    ShellLinkData nameOnly;
    nameOnly.description = u"only a comment";
    ASSERT_TRUE(Read(ShellLinkFile::Write(nameOnly), &link));
    EXPECT_EQ(link.ansiTargetPath, "");
    EXPECT_EQ(link.description, u"only a comment");
}

TEST(ShellLinkFile, RefusesEveryTruncationAndForeignHeaders) {
    const std::vector<BYTE> bytes = ShellLinkFile::Write(Sample());
    ShellLinkData link;
    link.description = u"untouched";
    // The terminal block is not needed to read what the link holds.
    for (std::size_t size = 0; size + 4 < bytes.size(); ++size)
        EXPECT_FALSE(ShellLinkFile::Read(bytes.data(), size, &link)) << size;
    EXPECT_EQ(link.description, u"untouched");

    std::vector<BYTE> foreign = bytes;
    foreign[19] = 0x47; // another class identifier
    EXPECT_FALSE(Read(foreign, &link));
    foreign = bytes;
    foreign[0] = 0x4D;
    EXPECT_FALSE(Read(foreign, &link));
}

TEST(ShellLinkFile, RefusesOffsetsAndCountsBeyondTheirBlock) {
    std::vector<BYTE> bytes(kHandWrittenLink.begin(), kHandWrittenLink.end());
    ShellLinkData link;
    std::vector<BYTE> damaged = bytes;
    damaged[96] = 0xFF; // local base path offset past the LinkInfo block
    EXPECT_FALSE(Read(damaged, &link));
    damaged = bytes;
    damaged[80] = 0xFF; // LinkInfo size past the file
    EXPECT_FALSE(Read(damaged, &link));
    damaged = bytes;
    damaged[84] = 0x40; // LinkInfo header larger than the block
    EXPECT_FALSE(Read(damaged, &link));
    damaged = bytes;
    damaged[140] = 0x09; // name string longer than the file
    EXPECT_FALSE(Read(damaged, &link));
    damaged = bytes;
    damaged[138] = 'x'; // base path without its terminator inside the block
    damaged[139] = 'x';
    EXPECT_FALSE(Read(damaged, &link));
}

// An independent reader of the format, when the machine has it.
TEST(ShellLinkFile, LnkinfoReadsTheTargetAndDescription) {
    if (std::system("command -v lnkinfo >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "lnkinfo (liblnk-utils) is not installed";
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("kiv-lnkinfo-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         ".lnk");
    ShellLinkData link;
    link.ansiTargetPath = "C:\\Program Files\\Kiv\\kiv.exe";
    link.targetPath = u"C:\\Program Files\\Kiv\\kiv.exe";
    link.description = u"Shortcut to kiv.exe";
    const std::vector<BYTE> bytes = ShellLinkFile::Write(link);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    std::string output;
    FILE* pipe = popen(("lnkinfo '" + file.string() + "' 2>&1").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    EXPECT_EQ(pclose(pipe), 0) << output;
    std::filesystem::remove(file);
    EXPECT_NE(output.find("C:\\Program Files\\Kiv\\kiv.exe"), std::string::npos) << output;
    EXPECT_NE(output.find("Shortcut to kiv.exe"), std::string::npos) << output;
}
