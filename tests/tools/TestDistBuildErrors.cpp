// kivtool dist build refuses a bad project file with the file and the line
// at fault, exit status 1, and leaves no medium (nor its partial folder).
#include "DistBuildTest.h"

namespace {
struct BadProject {
    const char* what;
    int line;            // the line changed, 1-based; 0 appends
    const char* text;    // its new text
    int errorLine;       // the line the error must name
    const char* message; // part of the message
};

const BadProject kBadProjects[] = {
    {"a missing folder", 13, "source = product/nothing", 13, "no folder"},
    {"a duplicate component", 21, "[component Program]", 21, "a second component named"},
    {"a shortcut to nothing", 28, "target = Missing.exe", 27, "leads to nothing"},
    {"an unknown key", 14, "targte = Docs", 14, "unknown key 'targte' in [folder]"},
    {"an unknown section", 33, "[option]", 33, "unknown section [option]"},
    {"a setup type naming no component", 25, "Compact = Program, Tools", 25,
     "names 'Tools', which is no [component]"},
    {"a duplicate folder", 15, "[folder Docs]", 15, "a second folder named 'Docs'"},
    {"a folder in no component", 22, "folders = Docs", 15, "belongs to no component"},
    {"a flag that is neither yes nor no", 35, "full-screen = maybe", 35, "takes yes or no"},
    {"a text the description cannot hold", 5, "long-name = Talvic \"Studio\"", 5, "double quote"},
    {"a volume size past 2 GiB", 9, "volume-size = 3G", 9, "takes bytes up to 2G"},
    {"the licence page without licences", 34, "licence-page = yes", 9, "names no file for English"},
};
} // namespace

TEST_F(DistBuildTest, BadProjectFilesAreRefusedWithTheirLine) {
    for (const BadProject& bad : kBadProjects) {
        std::vector<std::string> lines = Project();
        lines[bad.line - 1] = bad.text;
        const KivtoolRun run = Build(lines, root / "medium");
        const std::string expected =
            (root / "talvic.kivdist").string() + ":" + std::to_string(bad.errorLine) + ": error: ";
        EXPECT_EQ(run.status, 1) << bad.what;
        EXPECT_NE(run.output.find(expected), std::string::npos) << bad.what << "\n" << run.output;
        EXPECT_NE(run.output.find(bad.message), std::string::npos) << bad.what << "\n"
                                                                   << run.output;
        EXPECT_FALSE(fs::exists(root / "medium")) << bad.what;
        EXPECT_FALSE(fs::exists(root / "medium.partial")) << bad.what;
    }
}

// A volume limit that one package alone exceeds is an error at the limit's
// line; a folder that names a volume too small for it is an error at its
// volume line. A medium built before stays as it was.
TEST_F(DistBuildTest, AVolumeLimitSmallerThanAPackageIsRefused) {
    ASSERT_EQ(Build(Project(), root / "medium").status, 0);
    const std::string before = ReadHostFile(root / "medium/Setup files/archive.zkiv");
    WriteNoise(product / "docs/noise.bin", 20000, 7);
    std::vector<std::string> lines = Project();
    lines[8] = "volume-size = 10k";
    KivtoolRun run = Build(lines, root / "medium");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("talvic.kivdist:9: error: volume-size 10240 bytes is smaller "
                              "than 'Docs' packed"),
              std::string::npos)
        << run.output;
    EXPECT_EQ(ReadHostFile(root / "medium/Setup files/archive.zkiv"), before);

    lines = Project();
    lines[8] = "volume-size = 24k";
    lines[10] = "source = product/app\nvolume = 2"; // the volume on line 12
    lines[13] = "volume = 2";
    WriteNoise(product / "app/noise.bin", 20000, 8);
    run = Build(lines, root / "medium");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("talvic.kivdist:12: error: volume 2 needs"), std::string::npos)
        << run.output;
}

// An output folder that holds something other than a medium, such as the
// product itself, is never replaced.
TEST_F(DistBuildTest, AFolderThatIsNoMediumIsNotReplaced) {
    const KivtoolRun run = Build(Project(), product);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("holds no medium"), std::string::npos) << run.output;
    EXPECT_EQ(ReadHostFile(product / "docs/guide.txt"), "The guide.\r\n");
    EXPECT_FALSE(fs::exists(root / "product.partial"));
}

// OUT.work and OUT.partial are the build's own folders: one that a person
// made is refused, untouched, and one that an earlier stopped build left is
// replaced; the medium keeps no mark of the build.
TEST_F(DistBuildTest, FoldersBesideTheOutputAreRemovedOnlyWhenTheBuildMadeThem) {
    for (const char* suffix : {".work", ".partial"}) {
        const fs::path mine = root / ("out"s + suffix);
        WriteHostFile(mine / "notes.txt", "mine");
        const KivtoolRun run = Build(Project(), root / "out");
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.output.find("was not made by kivtool dist build"), std::string::npos)
            << run.output;
        EXPECT_EQ(ReadHostFile(mine / "notes.txt"), "mine");
        EXPECT_FALSE(fs::exists(root / "out"));
        fs::remove_all(mine);
    }
    WriteHostFile(root / "out.work/.kivtool-dist-build", "");
    WriteHostFile(root / "out.work/left.txt", "left by a stopped build");
    const KivtoolRun run = Build(Project(), root / "out");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_FALSE(fs::exists(root / "out.work"));
    EXPECT_FALSE(fs::exists(root / "out.partial"));
    EXPECT_FALSE(fs::exists(root / "out/.kivtool-dist-build"));
}
