#include "platform/ui/script/InputScript.h"
#include "platform/ui/script/ScriptKeys.h"

#include <gtest/gtest.h>

namespace {

std::vector<ScriptStep> Parsed(const std::string& text) {
    std::vector<ScriptStep> steps;
    std::string error;
    EXPECT_TRUE(ParseInputScript(text, "run.kvs", &steps, &error)) << error;
    return steps;
}

std::string ErrorOf(const std::string& text) {
    std::vector<ScriptStep> steps;
    std::string error;
    EXPECT_FALSE(ParseInputScript(text, "run.kvs", &steps, &error)) << text;
    return error;
}

} // namespace

TEST(InputScript, EveryCommandWithItsArguments) {
    const auto steps = Parsed("# a comment\n"
                              "\n"
                              "wait-window Welcome to Setup\n"
                              "wait-window #1001 2500\n"
                              "wait-window \"Disk 2\"\r\n"
                              "  key Tab alt+n Shift+F10\n"
                              "type  two  spaces and \xC3\xA9\n"
                              "click 10 -4\n"
                              "click #12\n"
                              "screenshot out/first screen.png\n"
                              "expect-text #1005 C:\\Program Files\\App\n"
                              "expect-text #7\n"
                              "sleep 250\n");
    ASSERT_EQ(steps.size(), 11u);
    EXPECT_EQ(steps[0].command, ScriptCommand::WaitWindow);
    EXPECT_EQ(steps[0].text, u"Welcome to Setup");
    EXPECT_EQ(steps[0].milliseconds, kDefaultWindowTimeout);
    EXPECT_EQ(steps[0].line, 3);
    EXPECT_EQ(steps[1].id, 1001);
    EXPECT_EQ(steps[1].milliseconds, 2500);
    EXPECT_EQ(steps[2].text, u"Disk 2");
    EXPECT_EQ(steps[2].milliseconds, kDefaultWindowTimeout);
    EXPECT_EQ(steps[3].command, ScriptCommand::Key);
    EXPECT_EQ(steps[3].chords,
              (std::vector<std::vector<int>>{{VK_TAB}, {VK_MENU, 'N'}, {VK_SHIFT, VK_F1 + 9}}));
    EXPECT_EQ(steps[4].text, u" two  spaces and \u00E9");
    EXPECT_EQ(steps[5].command, ScriptCommand::Click);
    EXPECT_EQ(steps[5].point.x, 10);
    EXPECT_EQ(steps[5].point.y, -4);
    EXPECT_EQ(steps[5].id, 0);
    EXPECT_EQ(steps[6].id, 12);
    EXPECT_EQ(steps[7].path, "out/first screen.png");
    EXPECT_EQ(steps[8].command, ScriptCommand::ExpectText);
    EXPECT_EQ(steps[8].id, 1005);
    EXPECT_EQ(steps[8].text, u"C:\\Program Files\\App");
    EXPECT_EQ(steps[9].text, u"");
    EXPECT_EQ(steps[10].command, ScriptCommand::Sleep);
    EXPECT_EQ(steps[10].milliseconds, 250);
    EXPECT_EQ(steps[10].line, 13);
}

// A last word that is a number out of range is part of the title, and the
// wait keeps its default time (found by fuzzing: it kept the number).
TEST(InputScript, ANegativeLastWordIsPartOfTheTitle) {
    const auto steps = Parsed("wait-window Disk 10 -4\n");
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].text, u"Disk 10 -4");
    EXPECT_EQ(steps[0].milliseconds, kDefaultWindowTimeout);
}

TEST(InputScript, ErrorsNameTheFileAndLine) {
    EXPECT_EQ(ErrorOf("sleep 1\n\nclick here\n"), "run.kvs:3: click needs X Y or #ID");
    EXPECT_EQ(ErrorOf("press Enter"), "run.kvs:1: unknown command \"press\"");
    EXPECT_EQ(ErrorOf("key Enter Hyper"), "run.kvs:1: unknown key \"Hyper\"");
    EXPECT_EQ(ErrorOf("key Alt+"), "run.kvs:1: unknown key \"Alt+\"");
    EXPECT_EQ(ErrorOf("key"), "run.kvs:1: key needs a key name");
    EXPECT_EQ(ErrorOf("type"), "run.kvs:1: type needs a text");
    EXPECT_EQ(ErrorOf("type \xC3("), "run.kvs:1: the text is not UTF-8");
    EXPECT_EQ(ErrorOf("wait-window"), "run.kvs:1: wait-window needs a title or #ID");
    EXPECT_EQ(ErrorOf("wait-window #x"), "run.kvs:1: bad window identifier");
    EXPECT_EQ(ErrorOf("wait-window \"Open"), "run.kvs:1: the title's closing quote is missing");
    EXPECT_EQ(ErrorOf("wait-window \"A\" soon"),
              "run.kvs:1: the timeout is not a number of milliseconds");
    EXPECT_EQ(ErrorOf("click 1 2 3"), "run.kvs:1: click needs X Y or #ID");
    EXPECT_EQ(ErrorOf("click #0"), "run.kvs:1: bad control identifier");
    EXPECT_EQ(ErrorOf("screenshot"), "run.kvs:1: screenshot needs a file name");
    EXPECT_EQ(ErrorOf("expect-text 5 Next"), "run.kvs:1: expect-text needs #ID and a text");
    EXPECT_EQ(ErrorOf("sleep -5"), "run.kvs:1: sleep needs a number of milliseconds");
    EXPECT_EQ(ErrorOf("sleep 99999999999"), "run.kvs:1: sleep needs a number of milliseconds");
}

TEST(InputScript, AMissingFileIsAnError) {
    std::vector<ScriptStep> steps;
    std::string error;
    EXPECT_FALSE(LoadInputScript("/nonexistent/run.kvs", &steps, &error));
    EXPECT_EQ(error, "/nonexistent/run.kvs: cannot be read");
}

TEST(ScriptKeys, NamesAndChords) {
    EXPECT_EQ(ScriptKeyCode("a"), 'A');
    EXPECT_EQ(ScriptKeyCode("Z"), 'Z');
    EXPECT_EQ(ScriptKeyCode("7"), '7');
    EXPECT_EQ(ScriptKeyCode("ENTER"), VK_RETURN);
    EXPECT_EQ(ScriptKeyCode("PageDown"), VK_NEXT);
    EXPECT_EQ(ScriptKeyCode("F1"), VK_F1);
    EXPECT_EQ(ScriptKeyCode("f24"), VK_F1 + 23);
    for (const char* bad : {"F0", "F25", "F01", "", "ab", "Ctr"})
        EXPECT_EQ(ScriptKeyCode(bad), 0) << bad;
    std::vector<int> keys;
    EXPECT_TRUE(ParseKeyChord("Control+Shift+Home", &keys));
    EXPECT_EQ(keys, (std::vector<int>{VK_CONTROL, VK_SHIFT, VK_HOME}));
    EXPECT_FALSE(ParseKeyChord("+N", &keys));
}
