#include "ZipageFixture.h"
#include "engine/UninstallRecordLimits.h"

#include <cstring>
#include <filesystem>

TEST_F(ZipageTest, UnpacksEveryMemberReportingNamesBytesAndPaths) {
    const std::string big = TextData(600000); // more than two output buffers
    VolumeBytes volume;
    std::uint32_t package = volume.Package(3);
    volume.Member("readme.txt", ZlibStream("hello"));
    volume.Member("empty.dat", ZlibStream(""));
    volume.Member("big.bin", ZlibStream(big));
    volume.Trailer().Patch(0, package);
    ASSERT_TRUE(Save(volume));
    ASSERT_EQ(0, OpenMain());
    ASSERT_EQ(static_cast<int>(package), zip.ReadSetupPackageOffset());

    ASSERT_EQ(0, Extract(zip.ReadSetupPackageOffset()));
    EXPECT_EQ("hello", Read("Out/readme.txt"));
    EXPECT_TRUE(Exists("Out/empty.dat"));
    EXPECT_EQ("", Read("Out/empty.dat"));
    EXPECT_EQ(big, Read("Out/big.bin"));

    // The empty member reports no bytes; big.bin comes in chunks of at most 256 KiB.
    std::vector<std::string> expected = {"name:readme.txt", "bytes:5",      "name:empty.dat",
                                         "name:big.bin",    "bytes:262144", "bytes:262144",
                                         "bytes:75712"};
    EXPECT_EQ(expected, ZipageEvents());
    ASSERT_EQ(3, files.GetSize());
    EXPECT_STREQ("C:\\Out\\readme.txt", files.GetAt(0));
    EXPECT_STREQ("C:\\Out\\big.bin", files.GetAt(2));
}

TEST_F(ZipageTest, EmptyAndNegativeCountsYieldNoFile) {
    VolumeBytes volume;
    std::uint32_t empty = volume.Package(0);
    std::uint32_t negative = volume.Package(-5);
    volume.Member("never.txt", ZlibStream("x"));
    volume.Trailer();
    ASSERT_TRUE(Save(volume));
    ASSERT_EQ(0, OpenMain());
    EXPECT_EQ(0, Extract(empty));
    EXPECT_EQ(0, Extract(negative));
    EXPECT_TRUE(std::filesystem::is_empty(Host("Out")));
    EXPECT_TRUE(ZipageEvents().empty());
}

TEST_F(ZipageTest, VolumeCheckRequiresTheTrailer) {
    VolumeBytes good;
    good.Package(0);
    good.Trailer();
    VolumeBytes bad = good;
    bad.Patch(bad.Size() - 4, bad.Size() - 7);
    ASSERT_TRUE(Save(bad));
    EXPECT_EQ(-1, OpenMain());
    EXPECT_EQ(-1, Extract(4)); // nothing is open

    std::ofstream(Host("Setup files/archive.zkiv"), std::ios::binary) << "short";
    EXPECT_EQ(-1, OpenMain());
    std::filesystem::remove(Host("Setup files/archive.zkiv"));
    EXPECT_EQ(-1, OpenMain());

    ASSERT_TRUE(Save(good));
    EXPECT_EQ(0, OpenMain());
}

TEST_F(ZipageTest, NameOf259BytesIsReadAnd260EndsThePackage) {
    // No file can take a 259-byte name under a folder (MAX_PATH), so the
    // accepted name shows in the name report, before the open fails.
    VolumeBytes volume;
    std::uint32_t accepted = volume.Package(1);
    volume.Member(std::string(259, 'n'), ZlibStream("x"));
    std::uint32_t refused = volume.Package(2);
    volume.Member("first.txt", ZlibStream("kept"));
    volume.Member(std::string(260, 'n'), ZlibStream("x"));
    volume.Trailer();
    ASSERT_TRUE(Save(volume));
    ASSERT_EQ(0, OpenMain());

    EXPECT_EQ(-1, Extract(accepted));
    ASSERT_EQ(1u, ZipageEvents().size());
    EXPECT_EQ("name:" + std::string(259, 'n'), ZipageEvents()[0]);

    ZipageEvents().clear();
    EXPECT_EQ(-1, Extract(refused));
    EXPECT_EQ(ZipageFailure::kPackage, zip.LastFailure().kind);
    EXPECT_EQ(1, zip.LastFailure().member);
    EXPECT_EQ("kept", Read("Out/first.txt"));
    EXPECT_EQ((std::vector<std::string>{"name:first.txt", "bytes:4"}), ZipageEvents());
}

TEST_F(ZipageTest, RefusesNamesThatWouldLeaveTheDestination) {
    const char* names[] = {"..\\evil.txt",       "sub\\..\\..\\evil.txt",
                           "sub/../../evil.txt", "\\evil.txt",
                           "/evil.txt",          "C:evil.txt",
                           "C:\\evil.txt",       "..",
                           ". .\\evil.txt",      ""};
    std::filesystem::create_directories(Host("Out/sub"));
    for (const char* name : names) {
        VolumeBytes volume;
        std::uint32_t package = volume.Package(2);
        volume.Member("good.txt", ZlibStream("good"));
        volume.Member(name, ZlibStream("evil"));
        volume.Trailer();
        ASSERT_TRUE(Save(volume));
        ASSERT_EQ(0, OpenMain());
        EXPECT_EQ(-1, Extract(package)) << name;
        EXPECT_EQ("good", Read("Out/good.txt"));
        zip.CloseVolumes();
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(machine.Root()))
        EXPECT_EQ(std::string::npos, entry.path().filename().string().find("evil")) << entry.path();
    EXPECT_EQ(static_cast<int>(std::size(names)), files.GetSize()); // good.txt each time
}

TEST_F(ZipageTest, SubFolderNameNeedsItsFolder) {
    VolumeBytes volume;
    std::uint32_t package = volume.Package(1);
    volume.Member("sub\\b.txt", ZlibStream("inside"));
    volume.Trailer();
    ASSERT_TRUE(Save(volume));
    ASSERT_EQ(0, OpenMain());
    EXPECT_EQ(-1, Extract(package));
    std::filesystem::create_directories(Host("Out/sub"));
    EXPECT_EQ(0, Extract(package));
    EXPECT_EQ("inside", Read("Out/sub/b.txt"));
}

TEST_F(ZipageTest, WildOffsetsEndThePackage) {
    VolumeBytes volume;
    std::uint32_t pastEnd = volume.Package(1);
    volume.U32(0x7FFFFF00); // header offset far outside the volume
    std::uint32_t backward = volume.Package(1);
    volume.U32(backward); // header offset before its own link
    std::uint32_t huge = volume.Package(0x7FFFFFFF);
    volume.Member("one.txt", ZlibStream("one")); // then the trailer is read as a link
    std::uint32_t cutName = volume.Package(1);
    std::uint32_t link = volume.Size();
    volume.U32(link + 4).U32(0).U32(0).U32(200).Raw("short");
    volume.Trailer();
    ASSERT_TRUE(Save(volume));
    ASSERT_EQ(0, OpenMain());

    EXPECT_EQ(-1, Extract(pastEnd));
    EXPECT_EQ(-1, Extract(backward));
    EXPECT_EQ(-1, Extract(cutName));
    EXPECT_EQ(-1, Extract(static_cast<std::int32_t>(volume.Size())));
    EXPECT_EQ(-1, Extract(-4));
    EXPECT_TRUE(ZipageEvents().empty());
    EXPECT_EQ(-1, Extract(huge));
    EXPECT_EQ("one", Read("Out/one.txt"));
}

TEST_F(ZipageTest, CorruptOrCutDataFailsThePackageAndLeavesNoFile) {
    const std::string text = TextData(300000);
    std::string corrupt = ZlibStream(text);
    for (std::size_t i = corrupt.size() / 2; i < corrupt.size() / 2 + 16; ++i)
        corrupt[i] = static_cast<char>(corrupt[i] ^ 0x5A);
    std::string cut = ZlibStream(text);
    cut.resize(cut.size() / 2);
    std::string badChecksum = ZlibStream("checked");
    badChecksum.back() = static_cast<char>(badChecksum.back() ^ 1);
    const std::string damaged[] = {corrupt, cut, badChecksum, ZlibStream("x").substr(0, 2), ""};

    for (const std::string& data : damaged) {
        VolumeBytes volume;
        std::uint32_t package = volume.Package(3);
        volume.Member("before.txt", ZlibStream("whole"));
        volume.Member("damaged.txt", data);
        volume.Member("after.txt", ZlibStream("never"));
        volume.Trailer();
        ASSERT_TRUE(Save(volume));
        ASSERT_EQ(0, OpenMain());
        files.RemoveAll();
        EXPECT_EQ(-1, Extract(package)) << data.size();
        EXPECT_EQ(ZipageFailure::kData, zip.LastFailure().kind);
        EXPECT_EQ(1, zip.LastFailure().member);
        EXPECT_STREQ("damaged.txt", zip.LastFailure().name);
        EXPECT_EQ("whole", Read("Out/before.txt"));
        EXPECT_FALSE(Exists("Out/damaged.txt"));
        EXPECT_FALSE(Exists("Out/after.txt"));
        ASSERT_EQ(1, files.GetSize());
        EXPECT_STREQ("C:\\Out\\before.txt", files.GetAt(0));
        zip.CloseVolumes();
    }
}

TEST_F(ZipageTest, SuccessClearsTheLastFailure) {
    VolumeBytes volume;
    std::uint32_t good = volume.Package(1);
    volume.Member("good.txt", ZlibStream("good"));
    volume.Trailer();
    ASSERT_TRUE(Save(volume));
    ASSERT_EQ(0, OpenMain());
    EXPECT_EQ(-1, Extract(static_cast<std::int32_t>(volume.Size())));
    EXPECT_EQ(ZipageFailure::kPackage, zip.LastFailure().kind);
    EXPECT_EQ(-1, zip.LastFailure().member);
    EXPECT_EQ(0, Extract(good));
    EXPECT_EQ(ZipageFailure::kNone, zip.LastFailure().kind);
}

TEST_F(ZipageTest, ShortWriteFailsTheExtraction) {
    // The host's /dev/full takes no byte, as a full disk; /dev/null takes all.
    // The host is read-only but for what the process was given.
    Machine::AllowHostChanges("/dev/full");
    Machine::AllowHostChanges("/dev/null");
    VolumeBytes volume;
    std::uint32_t fits = volume.Package(1);
    volume.Member("null", ZlibStream("room for this"));
    std::uint32_t full = volume.Package(1);
    volume.Member("full", ZlibStream("no room for this"));
    volume.Trailer();
    ASSERT_TRUE(Save(volume));
    ASSERT_EQ(0, OpenMain());
    EXPECT_EQ(0, zip.ExtractPackage(u"Z:\\dev", static_cast<int>(fits), nullptr, nullptr, &cancel,
                                    &pause, nullptr, 0));
    EXPECT_EQ(-1, zip.ExtractPackage(u"Z:\\dev", static_cast<int>(full), nullptr, nullptr, &cancel,
                                     &pause, nullptr, 0));
    EXPECT_EQ(ZipageFailure::kWrite, zip.LastFailure().kind);
    EXPECT_STREQ("full", zip.LastFailure().name);
}

TEST_F(ZipageTest, MembersStraddlingTheInputBufferComeOutWhole) {
    // Incompressible members of odd sizes, about 2.5 buffers in all, so that
    // links, data and headers fall across the edges of the 256 KiB reads.
    std::vector<std::string> contents;
    VolumeBytes volume;
    std::uint32_t package = volume.Package(301);
    std::uint32_t seed = 1;
    for (int i = 0; i < 301; ++i) {
        std::string data(i == 150 ? 300000 : 1000 + 37 * i % 2000, '\0');
        for (char& c : data)
            c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 24);
        contents.push_back(data);
        volume.Member("m" + std::to_string(i), ZlibStream(data));
    }
    volume.Trailer();
    ASSERT_TRUE(Save(volume));
    ASSERT_EQ(0, OpenMain());
    ASSERT_EQ(0, zip.ExtractPackage(u"C:\\Out", static_cast<int>(package), nullptr, nullptr,
                                    &cancel, &pause, nullptr, 0));
    for (int i = 0; i < 301; ++i)
        ASSERT_EQ(contents[i], Read("Out/m" + std::to_string(i))) << i;
}

// The installed files stay within what the uninstall record can hold: the
// member that would pass the limit is refused before it is made, so the
// record written after it still reads whole.
TEST_F(ZipageTest, RefusesTheMemberThatWouldOverfillTheUninstallRecord) {
    const std::size_t line = std::strlen("C:\\Out\\a.txt") + kListedFileLineExtra;
    auto room = [&] {
        return kMaxListedFileBytes - files.TextBytes() -
               kListedFileLineExtra * static_cast<std::size_t>(files.GetSize());
    };
    const std::string filler(500, 'x');
    while (room() > line + 519 + kListedFileLineExtra)
        files.Add(filler.c_str());
    files.Add(std::string(room() - line - line / 2 - kListedFileLineExtra, 'y').c_str());
    const int before = files.GetSize();

    VolumeBytes volume;
    std::uint32_t package = volume.Package(2);
    volume.Member("a.txt", ZlibStream("a"));
    volume.Member("b.txt", ZlibStream("b"));
    volume.Trailer();
    ASSERT_TRUE(Save(volume));
    ASSERT_EQ(0, OpenMain());
    EXPECT_EQ(-1, Extract(static_cast<std::int32_t>(package)));
    EXPECT_EQ(zip.LastFailure().kind, ZipageFailure::kRecordFull);
    EXPECT_STREQ(zip.LastFailure().name, "b.txt");
    EXPECT_TRUE(Exists("Out/a.txt"));
    EXPECT_FALSE(Exists("Out/b.txt"));
    EXPECT_EQ(files.GetSize(), before + 1);
}

// A name stored in code page 1252 ("Résumé.txt") is no text in code page
// 932: on a Japanese machine the package fails at it before its folder or
// any member is made, while a 1252 machine unpacks it whole.
TEST(ZipageCodePage, AnUnspellableNameFailsThePackageBeforeAnythingIsWritten) {
    const std::string resume = "R\xE9sum\xE9.txt";
    for (unsigned codePage : {932u, 1252u}) {
        MachineSettings settings;
        settings.codePage = codePage;
        TestMachine machine(settings);
        VolumeBytes volume;
        const std::uint32_t package = volume.Package(3);
        volume.Member("good.txt", ZlibStream("good"));
        volume.Member("\x93\xFA\x96\x7B.txt", ZlibStream("nihon")); // kanji in 932
        volume.Member(resume, ZlibStream("cv"));
        volume.Trailer();
        std::filesystem::create_directories(machine.DriveC("Setup files"));
        ASSERT_TRUE(volume.Save(machine.DriveC("Setup files/archive.zkiv")));
        Zipage zip;
        ASSERT_EQ(0, zip.OpenArchive(u"C:\\Setup files", u"C:\\Setup files", u"archive", false));
        std::atomic<unsigned char> cancel{0}, pause{0};
        InstalledFileList files;
        const int result = zip.ExtractPackage(u"C:\\Out\\Docs", static_cast<int>(package), nullptr,
                                              nullptr, &cancel, &pause, &files, 0);
        if (codePage == 1252) {
            EXPECT_EQ(0, result);
            EXPECT_EQ(3, files.GetSize());
            continue;
        }
        EXPECT_EQ(-1, result);
        EXPECT_EQ(ZipageFailure::kUnspellable, zip.LastFailure().kind);
        EXPECT_EQ(2, zip.LastFailure().member);
        EXPECT_EQ(resume, zip.LastFailure().name);
        EXPECT_FALSE(std::filesystem::exists(machine.DriveC("Out")));
        EXPECT_EQ(0, files.GetSize());
    }
}
