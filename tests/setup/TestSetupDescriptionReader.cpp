#include "setup/SetupDescriptionReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The lines handed out for a text, each as its list of fields; a failure
// appends "!" and the reason.
std::vector<std::vector<std::string>> Lines(const std::string& text) {
    std::FILE* file = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
    SetupDescriptionReader reader(file);
    std::vector<std::vector<std::string>> lines;
    while (reader.NextLine()) {
        lines.emplace_back();
        std::string field;
        while (reader.NextField(&field))
            lines.back().push_back(field);
    }
    if (reader.Failed())
        lines.push_back({"!" + reader.Error().reason});
    std::fclose(file);
    return lines;
}

using Fields = std::vector<std::string>;

} // namespace

TEST(SetupDescriptionReader, SeparatorsSplitFieldsAlike) {
    const Fields ab{"a", "b"};
    for (const char* line : {"a=b", "a , b", "a (b)", "a|b",
                             "\ta\x01\xA0"
                             "b)"})
        EXPECT_EQ(Lines(line), (std::vector<Fields>{ab})) << line;
}

TEST(SetupDescriptionReader, QuotingKeepsSeparatorsAndJoinsFields) {
    EXPECT_EQ(Lines("Dir \"Program Files\"")[0], (Fields{"Dir", "Program Files"}));
    // A quote after a backslash opens a quoted stretch in the middle of a path;
    // what follows the closing quote continues the field.
    EXPECT_EQ(Lines("Dir C:\\\"Program Files\"\\Kiv x")[0],
              (Fields{"Dir", "C:\\Program Files\\Kiv", "x"}));
    EXPECT_EQ(Lines("a \"x=y, (z)\xE9\"tail")[0], (Fields{"a", "x=y, (z)\xE9tail"}));
    EXPECT_EQ(Lines("a \"\" b")[0], (Fields{"a", "", "b"}));
}

TEST(SetupDescriptionReader, CommentsAndBellEndTheFields) {
    EXPECT_EQ(Lines("a b // c d")[0], (Fields{"a", "b"}));
    EXPECT_EQ(Lines("a //c d")[0], (Fields{"a"}));
    EXPECT_EQ(Lines("a http://x b")[0], (Fields{"a", "http://x", "b"}));
    EXPECT_EQ(Lines("a \x07 b")[0], (Fields{"a"}));
    EXPECT_EQ(Lines("a\x07"
                    "b")[0],
              (Fields{"a"}));
}

TEST(SetupDescriptionReader, SkipsEmptyCommentAndControlLinesOnly) {
    const auto lines = Lines("// comment\n\n\x01\xFF\t\r\n   \nx\r\n//\ny\rz\nlast");
    // A line of spaces is handed out without fields; a CR not followed by LF
    // is an ordinary separator; the last line needs no line end.
    EXPECT_EQ(lines, (std::vector<Fields>{{}, {"x"}, {"y", "z"}, {"last"}}));
}

TEST(SetupDescriptionReader, LinesHoldAtMost3999Characters) {
    EXPECT_EQ(Lines(std::string(3999, 'x') + "\r\nnext").size(), 2u);
    const auto tooLong = Lines("ok\n" + std::string(4000, 'x') + "\nnext");
    EXPECT_EQ(tooLong, (std::vector<Fields>{{"ok"}, {"!line longer than 3999 characters"}}));
}

TEST(SetupDescriptionReader, NumbersAreDecimalAndClamped) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"42", 42},
        {" -17abc", -17},
        {"+8", 8},
        {"0x10", 0},
        {"abc", 0},
        {"-", 0},
        {"2147483648", 2147483647},
        {"-99999999999999999999999", -2147483647 - 1}};
    for (const auto& [field, value] : cases)
        EXPECT_EQ(SetupDescriptionReader::ParseNumber(field), value) << field;
}
