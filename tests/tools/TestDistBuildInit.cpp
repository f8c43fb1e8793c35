// kivtool dist init writes a project file that kivtool dist build takes as
// it is: the top-level files as the program with its shortcut, a component
// per top-level folder with every folder below it.
#include "DistBuildTest.h"

TEST_F(DistBuildTest, TheProjectThatInitWritesBuildsAndInstalls) {
    WriteHostFile(product / "docs/pictures/plan.txt", "A plan.\r\n");
    WriteHostFile(product / "Talvic.exe", "#!/bin/sh\nexit 0\n");
    const fs::path project = root / "init.kivdist";
    const KivtoolRun init =
        Kivtool("dist init '" + product.string() + "' -o '" + project.string() + "'");
    ASSERT_EQ(init.status, 0) << init.output;
    const std::string text = ReadHostFile(project);
    EXPECT_NE(text.find("exe-name = Talvic"), std::string::npos) << text;
    EXPECT_NE(text.find("folders = docs, docs/pictures"), std::string::npos) << text;
    EXPECT_NE(text.find("target = docs\\pictures"), std::string::npos) << text;

    const fs::path medium = root / "medium";
    const KivtoolRun built =
        Kivtool("dist build '" + project.string() + "' '" + medium.string() + "'");
    ASSERT_EQ(built.status, 0) << built.output;
    SetupDescription d;
    LoadDescription(medium, &d);
    EXPECT_EQ(d.components.size(), 4u) << "Program, app, docs, extras";
    EXPECT_EQ(d.setupTypes.size(), 3u);
    ASSERT_EQ(d.shortcuts.size(), 1u);
    ASSERT_EQ(Kivtool("install '" + medium.string() + "'").status, 0);
    const std::string folder = "Program Files/Kiv software/product/";
    for (const char* file :
         {"Talvic.exe", "app/App.exe", "docs/pictures/plan.txt", "extras/extra.txt"})
        EXPECT_TRUE(fs::exists(machine.DriveC(folder + file))) << file;
}
