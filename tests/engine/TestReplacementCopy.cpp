#include "TestMachine.h"
#include "engine/ReplacementCopy.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class ReplacementCopyTest : public MachineTest {
protected:
    void SetUp() override {
        std::filesystem::create_directories(machine.DriveC("my.dir"));
        std::ofstream(machine.DriveC("staged.bin")) << "staged";
    }
    std::string Make(const char* target) {
        std::string copy;
        EXPECT_TRUE(copies.Make("C:\\staged.bin", target, &copy)) << target;
        return copy;
    }
    std::string Read(const std::string& relative) const {
        std::ifstream in(machine.DriveC(relative), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    ReplacementCopies copies;
};

// The extension is cut from the file name only, never inside a folder name.
TEST_F(ReplacementCopyTest, TheNameComesFromTheTargetsFileName) {
    EXPECT_EQ(Make("C:\\my.dir\\lib.dll"), "C:\\my.dir\\lib.tmp");
    EXPECT_EQ(Make("C:\\my.dir\\tool"), "C:\\my.dir\\tool.tmp");
    EXPECT_EQ(Make("C:\\my.dir\\two.dots.ocx"), "C:\\my.dir\\two.dots.tmp");
    EXPECT_EQ(Read("my.dir/tool.tmp"), "staged");
}

TEST_F(ReplacementCopyTest, ATakenNameGivesWayToAFreeOne) {
    EXPECT_EQ(Make("C:\\my.dir\\a.dll"), "C:\\my.dir\\a.tmp");
    EXPECT_EQ(Make("C:\\my.dir\\A.EXE"), "C:\\my.dir\\A~1.tmp");
    EXPECT_EQ(Make("C:\\my.dir\\a.ocx"), "C:\\my.dir\\a~2.tmp");
    std::ofstream(machine.DriveC("my.dir/self.tmp")) << "target";
    EXPECT_EQ(Make("C:\\my.dir\\self.tmp"), "C:\\my.dir\\self~1.tmp") << "never the target";
    EXPECT_EQ(Read("my.dir/self.tmp"), "target");
}

} // namespace
