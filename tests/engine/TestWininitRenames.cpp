#include "TestMachine.h"
#include "engine/WininitRenames.h"
#include "platform/WininitRenameLines.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class WininitRenamesTest : public MachineTest {
protected:
    void Put(const std::string& text) const {
        std::ofstream(machine.DriveC("Windows/WININIT.INI"), std::ios::binary) << text;
    }
    std::string Get() const {
        std::ifstream in(machine.DriveC("Windows/WININIT.INI"), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    bool Add(std::vector<WininitRename> renames = {{"C:\\W\\one.tmp", "C:\\W\\one.dll"},
                                                   {"C:\\W\\two.tmp", "C:\\W\\two.dll"}}) {
        return AddWininitRenames("C:\\Windows", renames);
    }
};

// New lines go straight after the last header, the last made first, before
// what the section held already; every line end becomes CR LF.
TEST_F(WininitRenamesTest, LinesFollowTheLastHeaderInReverse) {
    Put("[boot]\nx=1\r\n[rename]\nNUL=C:\\a.tmp\r\n[Rename]\r\nNUL=C:\\b.tmp\n[other]\r\nend");
    ASSERT_TRUE(Add());
    EXPECT_EQ(Get(), "[boot]\r\nx=1\r\n[rename]\r\nNUL=C:\\a.tmp\r\n[Rename]\r\n"
                     "C:\\W\\two.dll = C:\\W\\two.tmp\r\nC:\\W\\one.dll = C:\\W\\one.tmp\r\n"
                     "NUL=C:\\b.tmp\r\n[other]\r\nend");
}

// A last line without its line end gets one before the header, which would
// otherwise be glued to it.
TEST_F(WininitRenamesTest, AFileWithoutTheSectionGetsItAppended) {
    Put("[boot]\r\nlast=line");
    ASSERT_TRUE(Add({{"C:\\W\\one.tmp", "C:\\W\\one.dll"}}));
    EXPECT_EQ(Get(), "[boot]\r\nlast=line\r\n[rename]\r\nC:\\W\\one.dll = C:\\W\\one.tmp\r\n");
}

TEST_F(WininitRenamesTest, AFileThatCannotBeMadeFails) {
    std::filesystem::create_directories(machine.DriveC("Windows/WININIT.INI"));
    EXPECT_FALSE(Add());
    EXPECT_FALSE(AddWininitRenames("C:\\No such folder", {{"a", "b"}}));
}

} // namespace

// What the setup writes, the restart reads: a header that ends the file
// without a line end, or that has more on its line, still opens the
// section the new lines land in.
TEST_F(WininitRenamesTest, TheRestartReadsEveryLineAdded) {
    const std::pair<std::string, std::string> added{"C:\\W\\one.dll", "C:\\W\\one.tmp"};
    for (const char* file : {"[rename]", "[boot]\r\n[Rename] ; replacements\r\nx", "[rename]x"}) {
        Put(file);
        ASSERT_TRUE(Add({{added.second, added.first}}));
        std::istringstream written(Get());
        const auto lines = WininitRenameLines(written);
        EXPECT_NE(std::find(lines.begin(), lines.end(), added), lines.end()) << file;
    }
    Put("[rename]");
    ASSERT_TRUE(Add({{added.second, added.first}}));
    EXPECT_EQ(Get(), "[rename]\r\nC:\\W\\one.dll = C:\\W\\one.tmp\r\n");
}
