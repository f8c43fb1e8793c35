// kivtool dist build: the medium made from a project file holds a
// description whose sizes and offsets are those of what was packed, installs
// and uninstalls, comes out byte for byte the same when built again, and
// spreads its packages over volumes by the size limit.
#include "DistBuildTest.h"

#include <map>

namespace {
// Every file below folder with its bytes, by relative path.
std::map<std::string, std::string> Files(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).string()] = ReadHostFile(entry.path());
    return files;
}

std::uint32_t Read32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}
} // namespace

// The description counts what was packed: sizes are the files' bytes, each
// package lies where the description says (its count of members is there),
// the copied folder is on the medium; the setup installs it all and the
// uninstaller leaves the machine as it was.
TEST_F(DistBuildTest, TheMediumInstallsAndUninstallsAsDescribed) {
    const fs::path medium = root / "medium";
    const KivtoolRun built = Build(Project(), medium);
    ASSERT_EQ(built.status, 0) << built.output;
    EXPECT_FALSE(fs::exists(root / "medium.partial"));
    EXPECT_FALSE(fs::exists(root / "medium.work"));
    SetupDescription d;
    LoadDescription(medium, &d);
    ASSERT_EQ(d.installEntries.size(), 3u);
    EXPECT_EQ(std::string(d.applicationName), "Talvic");
    EXPECT_EQ(std::string(d.longApplicationName), "Talvic Studio 2");
    const std::string volume = ReadHostFile(medium / "Setup files/archive.zkiv");
    EXPECT_EQ(d.installEntries[0]->size, 17 + 16);
    EXPECT_EQ(d.installEntries[1]->size, 3000 + 12);
    EXPECT_EQ(Read32(volume, d.installEntries[0]->packageOffset), 2u) << "two members";
    EXPECT_EQ(Read32(volume, d.installEntries[1]->packageOffset), 2u);
    EXPECT_FALSE(d.installEntries[2]->packed);
    EXPECT_EQ(d.installEntries[2]->size, 19);
    EXPECT_EQ(ReadHostFile(medium / "Extras/extra.txt"), "An extra, copied.\r\n");
    EXPECT_EQ(d.components.size(), 2u);
    EXPECT_EQ(d.setupTypes.size(), 3u);
    EXPECT_TRUE(fs::exists(medium / "Setup files/Languages/English/Setup.era"));

    const std::string drive = machine.DriveC();
    const auto before = DriveListing(drive, "\n");
    const std::string registry = Kivtool("reg export --utf8").output;
    const KivtoolRun installed = Kivtool("install '" + medium.string() + "'");
    ASSERT_EQ(installed.status, 0) << installed.output;
    const std::string folder = "Program Files/Kiv software/Talvic/";
    EXPECT_EQ(ReadHostFile(machine.DriveC(folder + "Docs/manual.txt")), std::string(3000, 'm'));
    EXPECT_TRUE(fs::exists(machine.DriveC(folder + "App.exe")));
    EXPECT_TRUE(fs::exists(machine.DriveC(folder + "Extras/extra.txt")));
    EXPECT_NE(Kivtool("reg export --utf8 'HKEY_LOCAL_MACHINE\\Software\\Kiv software\\Talvic'")
                  .output.find("\"Runs\"=dword:00000003"),
              std::string::npos);
    const KivtoolRun removed = Kivtool("uninstall 'C:\\Program Files\\Kiv software\\Talvic'");
    EXPECT_EQ(removed.status, 0) << removed.output;
    EXPECT_EQ(DriveListing(drive, "\n"), before);
    EXPECT_EQ(Kivtool("reg export --utf8").output, registry);
}

// Built again from the same inputs, in another folder and with the files'
// times changed, the medium is the same byte for byte.
TEST_F(DistBuildTest, RebuildingUnchangedInputsGivesTheSameBytes) {
    ASSERT_EQ(Build(Project(), root / "first").status, 0);
    for (const auto& entry : fs::recursive_directory_iterator(product))
        fs::last_write_time(entry.path(),
                            fs::file_time_type::clock::now() - std::chrono::hours(30));
    ASSERT_EQ(Build(Project(), root / "second").status, 0);
    const auto first = Files(root / "first");
    EXPECT_EQ(first.size(), 8u) << "the volume, six resource files, the copied file";
    EXPECT_TRUE(first == Files(root / "second"));
}

// Three folders of 40 KiB that do not compress, under a limit of 64 KiB:
// the first joins the small packages in the main archive, the next one goes
// on to volume 2, the last names volume 3 and keeps it; every volume stays
// within the limit and the setup reads each package from its volume. A
// volume named past an empty one is refused at its line.
TEST_F(DistBuildTest, TheVolumeSizeSpreadsPackagesOverVolumes) {
    std::vector<std::string> lines = Project();
    lines[8] = "languages = English\nvolume-size = 64k";
    for (unsigned i = 0; i < 3; ++i) {
        const std::string name = "data" + std::to_string(i);
        WriteNoise(product / name / "noise.bin", 40 * 1024, i);
        lines.push_back("[folder " + name + "]\nsource = product/" + name + "\ntarget = " + name);
    }
    lines.back() += "\nvolume = 3";
    lines[21] = "folders = Docs, Extras, data0, data1, data2";
    const fs::path medium = root / "medium";
    const KivtoolRun built = Build(lines, medium);
    ASSERT_EQ(built.status, 0) << built.output;
    SetupDescription d;
    LoadDescription(medium, &d);
    ASSERT_EQ(d.installEntries.size(), 6u);
    EXPECT_EQ(d.installEntries[0]->volume, 1);
    EXPECT_EQ(d.installEntries[3]->volume, 1);
    EXPECT_EQ(d.installEntries[4]->volume, 2);
    EXPECT_EQ(d.installEntries[5]->volume, 3);
    EXPECT_EQ(d.volumes.size(), 3u);
    EXPECT_TRUE(d.multiVolume);
    for (const char* name : {"archive.zkiv", "archive1.zkiv", "archive2.zkiv"})
        EXPECT_LE(fs::file_size(medium / "Setup files" / name), 64u * 1024) << name;
    ASSERT_EQ(Kivtool("install '" + medium.string() + "'").status, 0);
    for (const char* name : {"data0", "data1", "data2"})
        EXPECT_EQ(fs::file_size(machine.DriveC("Program Files/Kiv software/Talvic/" +
                                               std::string(name) + "/noise.bin")),
                  40u * 1024);

    lines.back().replace(lines.back().size() - 1, 1, "5");
    const KivtoolRun gap = Build(lines, root / "gap");
    EXPECT_EQ(gap.status, 1);
    EXPECT_NE(gap.output.find("error: volume 5 follows volume 2"), std::string::npos) << gap.output;
}
