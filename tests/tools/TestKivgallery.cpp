// The gallery run as a program on the headless display under its tour
// script: every kind of control is used by scripted keys and clicks, message
// boxes of several button sets are answered by letter keys, Enter and
// Escape, and the answers shown are checked by the script itself (a failed
// check ends the program with status 3).
#include "HostFiles.h"
#include "TestMachine.h"
#include "platform/ui/headless/PngFile.h"

#include <cstdlib>
#include <filesystem>

TEST(KivgalleryTest, TheTourUsesEveryControlAndAnswersEveryMessageBox) {
    TestMachine machine;
    const std::string folder = machine.Root() + "/shots";
    std::filesystem::create_directories(folder);
    const std::string command = "cd '" + folder + "' && KIV_MACHINE='" + machine.Root() +
                                "' KIV_DISPLAY=headless KIV_SCRIPT='" + KIV_SOURCE_DIR +
                                "/examples/gallery/tour.script' " + KIVGALLERY_PATH + " 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    for (const char* shot : {"gallery.png", "gallery-used.png", "messagebox-five-buttons.png",
                             "messagebox-yes-no.png"}) {
        std::vector<std::uint32_t> pixels;
        int width = 0, height = 0;
        EXPECT_TRUE(ReadPng(folder + "/" + shot, &pixels, &width, &height)) << shot;
    }
}
