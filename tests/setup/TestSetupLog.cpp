// The install log's writer: how texts are escaped into JSON (control
// characters, non-ASCII, bytes that are not UTF-8, ANSI paths of the
// engine), the fields of its lines, whole lines when two threads write at
// once, and a log that is not open.
#include "HostFiles.h"
#include "TestMachine.h"
#include "setup/SetupLog.h"
#include "setup/SetupLogText.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <thread>

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A line without its time, which differs from run to run.
std::string AfterTime(const std::string& line) {
    static const std::regex kTime(R"(^\{"time": "\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z", )");
    std::smatch match;
    EXPECT_TRUE(std::regex_search(line, match, kTime)) << line;
    return match.suffix();
}

class SetupLogTest : public MachineTest {
protected:
    void SetUp() override { ASSERT_TRUE(log.Open(path, &error)) << error; }
    std::vector<std::string> Written() { return Lines(ReadHostFile(path)); }

    std::string path = machine.Root() + "/setup.log";
    std::string error;
    SetupLog log;
};

} // namespace

TEST(SetupLogText, EscapesQuotesBackslashesAndControlCharacters) {
    EXPECT_EQ(JsonQuoted("a\"b\\c"), R"("a\"b\\c")");
    EXPECT_EQ(JsonQuoted("\b\t\n\f\r"), R"("\b\t\n\f\r")");
    EXPECT_EQ(JsonQuoted(std::string("\x00\x01\x0b\x1b\x1f\x7f", 6)),
              R"("\u0000\u0001\u000b\u001b\u001f\u007f")");
}

TEST(SetupLogText, KeepsUtf8AndReplacesWhatIsNotUtf8) {
    EXPECT_EQ(JsonQuoted("caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80"),
              "\"caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80\"");
    const std::string fffd = "\xEF\xBF\xBD";
    EXPECT_EQ(JsonQuoted("caf\xE9"), "\"caf" + fffd + "\"") << "a code page 1252 byte";
    EXPECT_EQ(JsonQuoted("\xC0\xAF"), "\"" + fffd + fffd + "\"") << "an overlong slash";
    EXPECT_EQ(JsonQuoted("\xED\xA0\x80"), "\"" + fffd + fffd + fffd + "\"") << "a surrogate";
    EXPECT_EQ(JsonQuoted("\xF4\x90\x80\x80"), "\"" + fffd + fffd + fffd + fffd + "\"")
        << "above U+10FFFF";
    EXPECT_EQ(JsonQuoted("x\xE6\x97"), "\"x" + fffd + fffd + "\"") << "a sequence cut short";
}

TEST_F(SetupLogTest, EnginePathsAreConvertedFromTheAnsiCodePage) {
    log.RegistryKeyWritten("HKEY_LOCAL_MACHINE\\Software\\Caf\xE9", true);
    log.ShortcutMade(u"C:\\Start\\\u65E5\u672C.LNK", "C:\\Caf\xE9\\app.exe");
    const auto lines = Written();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(AfterTime(lines[0]),
              R"("event": "registry-key", "key": "HKEY_LOCAL_MACHINE\\Software\\Caf)"
              "\xC3\xA9\"}");
    EXPECT_EQ(AfterTime(lines[1]), R"("event": "shortcut", "link": "C:\\Start\\)"
                                   "\xE6\x97\xA5\xE6\x9C\xAC"
                                   R"(.LNK", "target": "C:\\Caf)"
                                   "\xC3\xA9"
                                   R"(\\app.exe"})");
}

TEST_F(SetupLogTest, ALinkLeftOutNamesItsTargetAndWhy) {
    log.ShortcutLeftOut(u"C:\\Start\\Orrery\\Orrery.LNK", "C:\\P\\Orrery.exe");
    const auto lines = Written();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(AfterTime(lines[0]),
              R"("event": "shortcut-left-out", "link": "C:\\Start\\Orrery\\Orrery.LNK", )"
              R"("target": "C:\\P\\Orrery.exe", "reason": "target not installed"})");
}

TEST_F(SetupLogTest, EachEventHasItsFields) {
    log.Start("Setup", "Z:\\media\\cd", "/tmp/m", "English",
              {{"type", "custom"}, {"user", "Ada \"A\" Lovelace"}});
    log.PageLeft("Setup type", "Next");
    log.Message("Insert disk 2\nthen press OK", "Cancel");
    log.EntryInstalled({"Program", "C:\\P", true, 12, 3400000});
    log.EntryFailed({"Samples", "C:\\P\\Samples", false, 1, 5}, "a file could not be copied");
    log.SystemFileInstalled("C:\\Windows\\System32\\k.dll", SystemFileAction::kKept);
    log.ReplacementScheduled("C:\\W\\k.dll", "C:\\W\\k.tmp");
    log.RegistryKeyWritten("HKEY_CURRENT_USER\\X", false);
    log.End(1603, "failed", "Installing Samples failed.");
    log.End(0, "installed", "");
    const auto lines = Written();
    ASSERT_EQ(lines.size(), 10u);
    const char* const expected[] = {
        R"("event": "start", "program": "Setup", "medium": "Z:\\media\\cd", "machine": "/tmp/m", )"
        R"("language": "English", "options": {"type": "custom", "user": "Ada \"A\" Lovelace"}})",
        R"("event": "page-left", "page": "Setup type", "result": "Next"})",
        R"("event": "message", "text": "Insert disk 2\nthen press OK", "answer": "Cancel"})",
        R"("event": "entry", "label": "Program", "folder": "C:\\P", "how": "packed", )"
        R"("files": 12, "bytes": 3400000})",
        R"("event": "entry-failed", "label": "Samples", "folder": "C:\\P\\Samples", )"
        R"("how": "copied", "files": 1, "bytes": 5, "reason": "a file could not be copied"})",
        R"("event": "system-file", "file": "C:\\Windows\\System32\\k.dll", "action": "kept"})",
        R"("event": "replacement", "file": "C:\\W\\k.dll", "copy": "C:\\W\\k.tmp"})",
        R"("event": "registry-key-failed", "key": "HKEY_CURRENT_USER\\X"})",
        R"("event": "end", "code": 1603, "result": "failed", )"
        R"("summary": "Installing Samples failed."})",
        R"("event": "end", "code": 0, "result": "installed"})",
    };
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(AfterTime(lines[i]), expected[i]);
}

// The worker and the user-interface thread write at once: every line comes
// out whole, and each thread's lines in its own order.
TEST_F(SetupLogTest, TwoThreadsLeaveWholeLines) {
    constexpr int kCount = 2000;
    const std::string filler(300, 'x');
    auto write = [&](const char* page) {
        for (int i = 0; i < kCount; ++i)
            log.PageShown(std::string(page) + " " + std::to_string(i) + " " + filler);
    };
    std::thread worker(write, "worker");
    write("interface");
    worker.join();
    const auto lines = Written();
    ASSERT_EQ(lines.size(), 2u * kCount);
    int next[2] = {0, 0};
    static const std::regex kLine(
        R"(^"event": "page-shown", "page": "(worker|interface) (\d+) x{300}"\}$)");
    for (const std::string& line : lines) {
        std::smatch match;
        const std::string rest = AfterTime(line);
        ASSERT_TRUE(std::regex_match(rest, match, kLine)) << line;
        EXPECT_EQ(std::stoi(match[2]), next[match[1] == "worker"]++);
    }
}

TEST_F(SetupLogTest, ReopeningTruncatesAndAClosedLogWritesNothing) {
    log.PageShown("Welcome");
    ASSERT_TRUE(log.Open(path, &error));
    log.PageShown("Licence");
    ASSERT_EQ(Written().size(), 1u);
    log.Close();
    EXPECT_FALSE(log.IsOpen());
    log.PageShown("Destination");
    log.End(0, "installed", "");
    EXPECT_EQ(Written().size(), 1u);

    SetupLog nowhere;
    EXPECT_FALSE(nowhere.Open(machine.Root() + "/no/such/folder/setup.log", &error));
    EXPECT_NE(error.find("no/such/folder"), std::string::npos) << error;
    EXPECT_FALSE(nowhere.IsOpen());
    nowhere.PageShown("Welcome"); // nothing to write to, and no crash
}
