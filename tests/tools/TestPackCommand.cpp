// kivtool pack, run as a program: volumes it writes read back with list,
// verify and extract; volumes written from the layout extract identically;
// damaged and hostile volumes fail with a message and a non-zero status.
#include "HostFiles.h"
#include "TestMachine.h"
#include "engine/VolumeBytes.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {
struct PackRun {
    int status = -1;
    std::string out, err;
};
} // namespace

class PackCommandTest : public MachineTest {
protected:
    fs::path dir = fs::path(machine.Root()) / "work";
    void SetUp() override { fs::create_directories(dir); }

    PackRun Pack(const std::string& arguments) {
        PackRun run;
        std::string command = "KIV_MACHINE='" + machine.Root() + "' " KIVTOOL_PATH " pack " +
                              arguments + " 2>'" + (dir / "stderr").string() + "'";
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[4096];
        for (std::size_t got; pipe && (got = fread(buffer, 1, sizeof(buffer), pipe)) > 0;)
            run.out.append(buffer, got);
        int status = pipe ? pclose(pipe) : -1;
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.err = ReadHostFile(dir / "stderr");
        return run;
    }
    std::string P(const std::string& name) const { return "'" + (dir / name).string() + "'"; }
};

TEST_F(PackCommandTest, CreatedVolumeListsVerifiesAndExtracts) {
    fs::create_directories(dir / "app/sub");
    fs::create_directories(dir / "setup");
    std::string big(700000, '\0');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7 % 251);
    WriteHostFile(dir / "app/big.bin", big);
    WriteHostFile(dir / "app/empty.txt", "");
    WriteHostFile(dir / "app/sub/not-a-member.txt", "x");
    WriteHostFile(dir / "setup/config.ini", "[setup]\n");

    PackRun create = Pack("create " + P("archive.zkiv") + " --level 9 --setup " + P("setup") +
                          " app=" + P("app"));
    ASSERT_EQ(0, create.status) << create.err;
    unsigned setupOffset = 0, offset = 0, setupMembers = 0, members = 0;
    unsigned long long setupBytes = 0, bytes = 0;
    ASSERT_EQ(6, std::sscanf(create.out.c_str(), "app %u %llu %u\n(setup) %u %llu %u", &offset,
                             &bytes, &members, &setupOffset, &setupBytes, &setupMembers))
        << create.out;
    EXPECT_EQ(4u, offset);
    EXPECT_GT(setupOffset, offset) << "the setup package comes last";
    EXPECT_EQ(8u, setupBytes);
    EXPECT_EQ(700000u, bytes);
    EXPECT_EQ(2u, members);
    const std::string at = " " + std::to_string(offset) + " ";
    PackRun json = Pack("create " + P("again.zkiv") + " --json --setup " + P("setup"));
    EXPECT_NE(std::string::npos, json.out.find("\"setupOffset\": 4")) << json.out;
    EXPECT_NE(std::string::npos, json.out.find("\"name\": \"(setup)\", \"offset\": 4")) << json.out;

    PackRun list = Pack("list " + P("archive.zkiv") + at);
    ASSERT_EQ(0, list.status) << list.err;
    EXPECT_NE(std::string::npos,
              list.out.find("package" + at.substr(0, at.size() - 1) + ": 2 members"));
    EXPECT_NE(std::string::npos, list.out.find("700000"));
    EXPECT_NE(std::string::npos, list.out.find("empty.txt"));
    EXPECT_EQ(std::string::npos, list.out.find("not-a-member"));

    PackRun verify = Pack("verify " + P("archive.zkiv"));
    EXPECT_EQ(0, verify.status) << verify.err;
    EXPECT_NE(std::string::npos, verify.out.find("sound, 2 packages, 3 members"));

    PackRun extract = Pack("extract " + P("archive.zkiv") + at + P("out"));
    ASSERT_EQ(0, extract.status) << extract.err;
    EXPECT_EQ(big, ReadHostFile(dir / "out/big.bin"));
    EXPECT_TRUE(fs::exists(dir / "out/empty.txt"));
    EXPECT_FALSE(fs::exists(dir / "out/sub"));
    EXPECT_EQ(0, Pack("extract " + P("archive.zkiv") + " " + std::to_string(setupOffset) +
                      " 'C:\\Staging'")
                     .status);

    // A volume written into the folder it packs is not a member of itself.
    ASSERT_EQ(0, Pack("create " + P("app/inside.zkiv") + " app=" + P("app")).status);
    EXPECT_EQ(std::string::npos, Pack("list " + P("app/inside.zkiv")).out.find("inside"));
    EXPECT_EQ("[setup]\n", ReadHostFile(machine.DriveC("Staging/config.ini")));
}

// A vendor packs, writes the offsets kivtool printed into the description,
// and packs again: the setup package holding the description comes last, so
// the product's packages stay at the offsets the description now names.
TEST_F(PackCommandTest, TheProductsOffsetsDoNotDependOnTheDescription) {
    WriteHostFile(dir / "app/app.exe", std::string(5000, 'a'));
    WriteHostFile(dir / "data/data.bin", std::string(3000, 'd'));
    WriteHostFile(dir / "setup/config.ini", "Entry 0 Program x\n");
    const std::string sources = " app=" + P("app") + " data=" + P("data");
    const PackRun first = Pack("create " + P("archive.zkiv") + " --setup " + P("setup") + sources);
    ASSERT_EQ(0, first.status) << first.err;
    WriteHostFile(dir / "setup/config.ini",
                  "Entry 0 Program with its offsets 4 and 1234567 filled in, and longer\n");
    const PackRun second = Pack("create " + P("archive.zkiv") + " --setup " + P("setup") + sources);
    ASSERT_EQ(0, second.status) << second.err;
    auto products = [](const std::string& out) { // the lines of the product's packages
        std::string lines;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);)
            if (line.rfind("(setup)", 0) != 0)
                lines += line + "\n";
        return lines;
    };
    EXPECT_EQ(products(first.out), products(second.out));
    EXPECT_EQ(0u, products(second.out).rfind("app 4 ", 0)) << second.out;
}

TEST_F(PackCommandTest, VolumeWrittenFromTheLayoutExtractsIdentically) {
    VolumeBytes volume;
    std::uint32_t package = volume.Package(2);
    volume.Member("a.txt", ZlibStream("alpha"));
    volume.Member("b.txt", ZlibStream(std::string(300000, 'b')));
    volume.Trailer();
    ASSERT_TRUE(volume.Save((dir / "layout.zkiv").string()));
    PackRun extract =
        Pack("extract " + P("layout.zkiv") + " " + std::to_string(package) + " " + P("out"));
    ASSERT_EQ(0, extract.status) << extract.err;
    EXPECT_EQ("alpha", ReadHostFile(dir / "out/a.txt"));
    EXPECT_EQ(std::string(300000, 'b'), ReadHostFile(dir / "out/b.txt"));
    // The free header values are not sizes and checksums here, and are not
    // taken for them.
    PackRun verify = Pack("verify " + P("layout.zkiv"));
    EXPECT_EQ(0, verify.status) << verify.err;
    EXPECT_NE(std::string::npos, verify.out.find("sound, 1 packages, 2 members, 300005 bytes"))
        << verify.out;
    EXPECT_NE(std::string::npos, Pack("list " + P("layout.zkiv")).out.find("           -"));
}

TEST_F(PackCommandTest, DamagedAndHostileVolumesFailWithAMessage) {
    VolumeBytes volume;
    volume.Package(1);
    volume.Member("..\\escape.txt", ZlibStream("out"));
    VolumeBytes cut = volume;
    volume.Trailer();
    ASSERT_TRUE(volume.Save((dir / "hostile.zkiv").string()));
    cut.U32(0).U32(0); // a trailer that names nothing
    ASSERT_TRUE(cut.Save((dir / "cut.zkiv").string()));

    PackRun extract = Pack("extract " + P("hostile.zkiv") + " 4 " + P("out/inner"));
    EXPECT_EQ(1, extract.status);
    EXPECT_NE(std::string::npos, extract.err.find("cannot unpack")) << extract.err;
    EXPECT_FALSE(fs::exists(dir / "out/escape.txt"));
    EXPECT_NE(std::string::npos, Pack("verify " + P("hostile.zkiv")).err.find("refuses this name"));

    for (const char* command : {"list", "verify", "extract"}) {
        PackRun run = Pack(std::string(command) + " " + P("cut.zkiv") + " 4 " + P("out"));
        EXPECT_NE(0, run.status) << command;
        EXPECT_FALSE(run.err.empty()) << command;
    }
    EXPECT_EQ(1, Pack("list " + P("hostile.zkiv") + " 9999").status);
}

// A volume of another writer: garbage in every free value, gaps between the
// packages, the setup package named at 0 and the product package named by the
// setup description.
class ForeignVolumeTest : public PackCommandTest {
protected:
    void SetUp() override {
        PackCommandTest::SetUp();
        VolumeBytes volume;
        volume.Raw("gap-before-setup");
        setup = volume.Package(1);
        volume.Member("config.ini", ZlibStream("[setup]\n"));
        volume.Raw("gap");
        product = volume.Package(2);
        volume.Member("a.txt", ZlibStream("alpha"));
        bLink = volume.Member("b.txt", ZlibStream(std::string(5000, 'b')));
        std::uint32_t at = volume.Size();
        volume.U32(0x12345678).U32(at).Patch(0, setup);
        bytes = volume.Bytes();
        WriteHostFile(dir / "archive.zkiv", bytes);
        std::string config = ReadHostFile(KIV_TEST_DATA "/config/talvic.ini");
        // Entry 0 (volume 1, the main archive) gets the product package.
        std::size_t field = config.find("0  0      4      1      52000");
        ASSERT_NE(std::string::npos, field);
        config.replace(field + 10, 1, std::to_string(product));
        WriteHostFile(dir / "config.ini", config);
    }
    std::uint32_t setup = 0, product = 0, bLink = 0;
    std::string bytes;
};

TEST_F(ForeignVolumeTest, VerifyTakesThePackagesFromTheDescription) {
    PackRun unnamed = Pack("verify " + P("archive.zkiv"));
    EXPECT_EQ(1, unnamed.status);
    EXPECT_NE(std::string::npos, unnamed.err.find("do not follow one another")) << unnamed.err;

    PackRun described = Pack("verify " + P("archive.zkiv") + " --config " + P("config.ini"));
    EXPECT_EQ(0, described.status) << described.err;
    EXPECT_NE(std::string::npos, described.out.find("sound, 2 packages, 3 members, 5013 bytes"))
        << described.out;
    PackRun named = Pack("verify " + P("archive.zkiv") + " " + std::to_string(product));
    EXPECT_EQ(0, named.status) << named.err;
    EXPECT_NE(std::string::npos, named.out.find("sound, 1 packages, 2 members")) << named.out;

    PackRun list = Pack("list " + P("archive.zkiv") + " --config " + P("config.ini") + " --json");
    ASSERT_EQ(0, list.status) << list.err;
    EXPECT_NE(std::string::npos, list.out.find("\"offset\": " + std::to_string(setup)));
    EXPECT_NE(std::string::npos, list.out.find("{\"name\": \"b.txt\", \"size\": null"));

    PackRun extract =
        Pack("extract " + P("archive.zkiv") + " " + std::to_string(product) + " " + P("out"));
    ASSERT_EQ(0, extract.status) << extract.err;
    EXPECT_EQ(std::string(5000, 'b'), ReadHostFile(dir / "out/b.txt"));

    // A numbered volume is not the one the description's entry names.
    fs::copy_file(dir / "archive.zkiv", dir / "archive2.zkiv");
    PackRun other = Pack("verify " + P("archive2.zkiv") + " --config " + P("config.ini"));
    EXPECT_EQ(1, other.status);
    EXPECT_NE(std::string::npos, other.err.find("names no package in this volume")) << other.err;
}

TEST_F(ForeignVolumeTest, CorruptMemberFailsVerifyAndExtract) {
    // The last byte of b.txt's stream belongs to its Adler-32 check value.
    std::uint32_t header = static_cast<unsigned char>(bytes[bLink]) |
                           static_cast<unsigned char>(bytes[bLink + 1]) << 8;
    bytes[header - 1] = static_cast<char>(bytes[header - 1] ^ 0x01);
    WriteHostFile(dir / "archive.zkiv", bytes);

    PackRun verify = Pack("verify " + P("archive.zkiv") + " --config " + P("config.ini"));
    EXPECT_EQ(1, verify.status);
    EXPECT_NE(std::string::npos, verify.err.find("b.txt: the compressed data is corrupt"))
        << verify.err;
    EXPECT_NE(std::string::npos, verify.err.find("1 of 3 members are damaged")) << verify.err;

    PackRun extract =
        Pack("extract " + P("archive.zkiv") + " " + std::to_string(product) + " " + P("out"));
    EXPECT_EQ(1, extract.status);
    EXPECT_NE(std::string::npos, extract.err.find("member 'b.txt' is damaged")) << extract.err;
    EXPECT_EQ("alpha", ReadHostFile(dir / "out/a.txt"));
    EXPECT_FALSE(fs::exists(dir / "out/b.txt"));
}

TEST_F(ForeignVolumeTest, OffsetsThatStartNoPackageAreRefused) {
    const std::uint32_t notPackages[] = {4, product + 4, bLink, setup + 2, 99999};
    for (std::uint32_t offset : notPackages)
        for (const char* command : {"list", "verify"}) {
            PackRun run =
                Pack(std::string(command) + " " + P("archive.zkiv") + " " + std::to_string(offset));
            EXPECT_EQ(1, run.status) << command << " " << offset;
            EXPECT_NE(std::string::npos, run.err.find("is not the start of a package"))
                << command << " " << offset << ": " << run.err;
        }
    PackRun extract =
        Pack("extract " + P("archive.zkiv") + " " + std::to_string(bLink) + " " + P("out"));
    EXPECT_EQ(1, extract.status);
    EXPECT_NE(std::string::npos, extract.err.find("is not the start of a package"));
    EXPECT_FALSE(fs::exists(dir / "out"));

    // An empty package is a package when something names it.
    VolumeBytes empty;
    std::uint32_t named = empty.Package(0);
    empty.Trailer().Patch(0, named);
    ASSERT_TRUE(empty.Save((dir / "empty.zkiv").string()));
    EXPECT_EQ(0, Pack("list " + P("empty.zkiv") + " " + std::to_string(named)).status);
}

TEST_F(PackCommandTest, OurVolumesAreMarkedAndTheirHeadersChecked) {
    fs::create_directories(dir / "app");
    WriteHostFile(dir / "app/a.txt", "alpha");
    ASSERT_EQ(0, Pack("create " + P("ours.zkiv") + " app=" + P("app")).status);
    std::string bytes = ReadHostFile(dir / "ours.zkiv");
    ASSERT_EQ("ZKIV", bytes.substr(bytes.size() - 8, 4));
    // The package lies at 4, its only member's link at 8.
    std::uint32_t header = static_cast<unsigned char>(bytes[8]);
    bytes[header + 4] = static_cast<char>(bytes[header + 4] ^ 0x01); // the CRC-32
    WriteHostFile(dir / "ours.zkiv", bytes);
    PackRun verify = Pack("verify " + P("ours.zkiv"));
    EXPECT_EQ(1, verify.status);
    EXPECT_NE(std::string::npos, verify.err.find("differ from the header's")) << verify.err;

    bytes.replace(bytes.size() - 8, 4, "free");
    WriteHostFile(dir / "ours.zkiv", bytes);
    EXPECT_EQ(0, Pack("verify " + P("ours.zkiv")).status);
}

TEST_F(PackCommandTest, UsageErrorsSayWhatWasWrong) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "needs a COMMAND"},
        {"list", "needs a VOLUME"},
        {"list v.zkiv 4 8", "takes one OFFSET"},
        {"list v.zkiv --bogus", "unknown option --bogus"},
        {"verify v.zkiv -4", "'-4' is not a package offset"},
        {"verify v.zkiv --config", "--config takes one FILE"},
        {"extract v.zkiv 4", "needs VOLUME OFFSET DEST"},
        {"extract v.zkiv four out", "'four' is not a package offset"},
        {"extract v.txt 4 out", "is not a .zkiv volume"},
        {"create x.zkiv --setup a --setup b", "--setup is given twice"},
        {"create x.zkiv --level", "incomplete option --level"},
    };
    for (const auto& [arguments, reason] : cases) {
        PackRun run = Pack(arguments);
        EXPECT_EQ(2, run.status) << arguments;
        EXPECT_EQ(0u, run.err.find("kivtool pack")) << arguments << ": " << run.err;
        EXPECT_NE(std::string::npos, run.err.find(reason)) << arguments << ": " << run.err;
    }
}

TEST_F(PackCommandTest, UnreadableFilesAreReportedWithTheirReason) {
    const std::string missing = "No such file or directory";
    for (const char* command : {"list", "verify"})
        EXPECT_NE(std::string::npos,
                  Pack(std::string(command) + " " + P("missing.zkiv")).err.find(missing));
    EXPECT_NE(std::string::npos,
              Pack("extract " + P("missing.zkiv") + " 4 " + P("out")).err.find(missing));
    fs::create_directories(dir / "app");
    EXPECT_NE(std::string::npos,
              Pack("create " + P("no/such/x.zkiv") + " a=" + P("app")).err.find(missing));
    EXPECT_NE(std::string::npos, Pack("list " + P("app")).err.find("not a plain file"));

    VolumeBytes volume;
    volume.Package(0);
    volume.Trailer();
    ASSERT_TRUE(volume.Save((dir / "v.zkiv").string()));
    PackRun config = Pack("verify " + P("v.zkiv") + " --config " + P("missing.ini"));
    EXPECT_EQ(1, config.status);
    EXPECT_NE(std::string::npos, config.err.find("missing.ini: " + missing)) << config.err;
}

TEST_F(PackCommandTest, UsageErrorsAndHelp) {
    for (const char* command : {"create", "list", "extract", "verify"}) {
        PackRun help = Pack(std::string(command) + " --help");
        EXPECT_EQ(0, help.status) << command;
        EXPECT_EQ(0u, help.out.find(std::string("usage: kivtool pack ") + command)) << help.out;
        PackRun bare = Pack(command);
        EXPECT_EQ(2, bare.status) << command;
        EXPECT_NE(std::string::npos, bare.err.find("usage:")) << command;
    }
    EXPECT_EQ(2, Pack("unpack x").status);
    EXPECT_EQ(2, Pack("create " + P("x.zkiv") + " --level 12 a=" + P("")).status);

    fs::create_directories(dir / "cases");
    WriteHostFile(dir / "cases/Readme.txt", "1");
    WriteHostFile(dir / "cases/README.TXT", "2");
    PackRun clash = Pack("create " + P("x.zkiv") + " a=" + P("cases"));
    EXPECT_EQ(1, clash.status);
    EXPECT_NE(std::string::npos, clash.err.find("differ only in case")) << clash.err;
    EXPECT_FALSE(fs::exists(dir / "x.zkiv"));

    fs::create_directories(dir / "japanese");
    WriteHostFile(dir / "japanese/\u30bd\u30d5\u30c8.txt", "soft");
    PackRun lossy = Pack("create " + P("x.zkiv") + " a=" + P("japanese"));
    EXPECT_EQ(1, lossy.status);
    EXPECT_NE(std::string::npos, lossy.err.find("code page 1252")) << lossy.err;
}

TEST(PackCommandCodePage, JapaneseNamesRoundTripOnA932Machine) {
    // In code page 932 the second byte of U+30BD is 0x5C, the backslash byte:
    // the reader must not take it for a separator.
    MachineSettings settings;
    settings.codePage = 932;
    settings.languageId = 0x0411;
    TestMachine japanese(settings);
    const fs::path dir = fs::path(japanese.Root()) / "work";
    const std::string name = "\u30bd\u30d5\u30c8.txt";
    fs::create_directories(dir / "in");
    WriteHostFile(dir / "in" / name, "soft");
    const std::string tool = "KIV_MACHINE='" + japanese.Root() + "' " KIVTOOL_PATH " pack ";
    ASSERT_EQ(0, std::system((tool + "create '" + (dir / "v.zkiv").string() + "' a='" +
                              (dir / "in").string() + "' >/dev/null")
                                 .c_str()));
    ASSERT_EQ(0, std::system((tool + "extract '" + (dir / "v.zkiv").string() + "' 4 '" +
                              (dir / "out").string() + "' >/dev/null")
                                 .c_str()));
    EXPECT_EQ("soft", ReadHostFile(dir / "out" / name));
}

// The volume is written beside OUT and renamed over it when whole: a link at
// OUT is replaced, never written through, and a failed create keeps the
// volume that was there.
TEST_F(PackCommandTest, CreateReplacesOutOnlyWhenTheVolumeIsWhole) {
    fs::create_directories(dir / "product");
    WriteHostFile(dir / "product/a.txt", "alpha");
    WriteHostFile(dir / "elsewhere.txt", "keep me");
    fs::create_symlink(dir / "elsewhere.txt", dir / "linked.zkiv");
    EXPECT_EQ(Pack("create '" + (dir / "linked.zkiv").string() + "' p='" +
                   (dir / "product").string() + "'")
                  .status,
              0);
    EXPECT_FALSE(fs::is_symlink(dir / "linked.zkiv"));
    EXPECT_EQ(ReadHostFile(dir / "elsewhere.txt"), "keep me");

    std::string good = ReadHostFile(dir / "linked.zkiv");
    fs::create_directories(dir / "bad");
    WriteHostFile(dir / "bad/A.txt", "1");
    WriteHostFile(dir / "bad/a.TXT", "2"); // names that differ only in case
    PackRun failed =
        Pack("create '" + (dir / "linked.zkiv").string() + "' p='" + (dir / "bad").string() + "'");
    EXPECT_NE(failed.status, 0);
    EXPECT_EQ(ReadHostFile(dir / "linked.zkiv"), good);
    for (const auto& entry : fs::directory_iterator(dir))
        EXPECT_EQ(entry.path().filename().string().rfind(".linked", 0), std::string::npos)
            << entry.path() << " left behind";
}
