// The install log's reader and its text for a person: a log written by the
// setup's own writer read back, the JSON it accepts and refuses, times, a
// log cut by a kill, files that are not logs, and what kivtool log show
// prints.
#include "HostFiles.h"
#include "KivtoolRun.h"
#include "TestMachine.h"
#include "setup/SetupLog.h"
#include "tools/kivtool/LogReader.h"
#include "tools/kivtool/LogShow.h"

#include <gtest/gtest.h>

namespace {

std::string Line(const std::string& time, const std::string& rest) {
    return "{\"time\": \"" + time + "\", " + rest + "}\n";
}

const std::string kStart =
    Line("2026-03-01T12:00:00.000Z",
         R"("event": "start", "program": "Setup", "medium": "Z:\\cd", "machine": "/m", )"
         R"("language": "English", "options": {"type": "typical", "user": "Ada"})");
const std::string kEntry =
    Line("2026-03-01T12:00:02.500Z",
         R"("event": "entry", "label": "Program", "folder": "C:\\Program Files\\P", )"
         R"("how": "packed", "files": 12, "bytes": 3565158)");
const std::string kMessage =
    Line("2026-03-01T12:00:03.000Z",
         R"("event": "message", "text": "Replace the file?\u001b[2J\u009b2J", "answer": "No")");
const std::string kEnd =
    Line("2026-03-01T12:01:00.000Z",
         R"("event": "end", "code": 1603, "result": "failed", "summary": "Installing Samples )"
         R"(failed. Left on the machine: 2 files.")");

SetupLogContent Read(const std::string& bytes) {
    SetupLogContent log;
    SetupLogError error;
    EXPECT_TRUE(ReadSetupLog(bytes, &log, &error)) << error.line << ": " << error.reason;
    return log;
}

SetupLogError Refusal(const std::string& bytes) {
    SetupLogContent log;
    SetupLogError error;
    EXPECT_FALSE(ReadSetupLog(bytes, &log, &error)) << bytes;
    EXPECT_FALSE(error.reason.empty());
    return error;
}

std::string JsonError(const std::string& text) {
    LogJson value;
    std::string error;
    EXPECT_FALSE(ParseLogJson(text, &value, &error)) << text;
    return error;
}

} // namespace

TEST(LogJsonTest, ReadsEscapesSurrogatesAndNesting) {
    LogJson value;
    std::string error;
    ASSERT_TRUE(
        ParseLogJson(R"( {"a": "\u00e9\ud83d\ude00\ud800x\/", "b": [1, -2.5e2, true, null],)"
                     R"( "c": {"d": {}}} )",
                     &value, &error))
        << error;
    EXPECT_EQ(value.Find("a")->text, "\xC3\xA9\xF0\x9F\x98\x80\xEF\xBF\xBDx/");
    ASSERT_EQ(value.Find("b")->items.size(), 4u);
    EXPECT_EQ(value.Find("b")->items[1].number, -250);
    EXPECT_EQ(value.Find("c")->Find("d")->kind, LogJson::kObject);
    EXPECT_EQ(value.Find("z"), nullptr);

    EXPECT_NE(JsonError(std::string(40, '[') + std::string(40, ']')).find("nested"),
              std::string::npos);
    EXPECT_NE(JsonError(R"({"a": 1} x)").find("column 10"), std::string::npos);
    JsonError("{\"a\": \"tab\there\"}");
    JsonError("{\"a\": \"\xFF\"}");
    JsonError(R"({"a": 01})");
    JsonError(R"({"a": "\x"})");
    JsonError(R"({"a": "\u12"})");
    JsonError(R"({"a" 1})");
    JsonError("");
}

TEST(LogReaderTest, TimesAreReadAsMillisecondsSince1970) {
    std::int64_t ms = -1;
    ASSERT_TRUE(ParseLogTime("1970-01-01T00:00:00.000Z", &ms));
    EXPECT_EQ(ms, 0);
    ASSERT_TRUE(ParseLogTime("2000-03-01T00:00:00.001Z", &ms));
    EXPECT_EQ(ms, 951868800001);
    ASSERT_TRUE(ParseLogTime("2026-12-31T23:59:59.999Z", &ms));
    EXPECT_EQ(ms, 1798761599999);
    for (const char* bad :
         {"2026-13-01T00:00:00.000Z", "2026-01-01T24:00:00.000Z", "2026-01-01 00:00:00.000Z",
          "2026-01-01T00:00:00Z", "2026-01-01T00:00:00.000", "2026-0a-01T00:00:00.000Z"})
        EXPECT_FALSE(ParseLogTime(bad, &ms)) << bad;
}

TEST(LogReaderTest, ReadsWhatTheSetupWrote) {
    TestMachine machine;
    const std::string path = machine.Root() + "/setup.log";
    SetupLog log;
    std::string error;
    ASSERT_TRUE(log.Open(path, &error));
    log.Start("Setup", "Z:\\cd", machine.Root(),
              "Fran\xC3\xA7"
              "ais",
              {{"user", "J\xC3\xBCrgen"}});
    log.Message("line 1\nline 2\t\"quoted\"", "OK");
    log.EntryInstalled({"Program", "C:\\Programmes\\\xE6\x97\xA5", true, 3, 1 << 20});
    log.Close();

    const SetupLogContent read = Read(ReadHostFile(path));
    ASSERT_EQ(read.events.size(), 3u);
    EXPECT_FALSE(read.cut);
    EXPECT_EQ(read.events[0].event, "start");
    EXPECT_EQ(read.events[0].Text("language"), "Fran\xC3\xA7"
                                               "ais");
    EXPECT_EQ(read.events[0].fields.Find("options")->Find("user")->text, "J\xC3\xBCrgen");
    EXPECT_EQ(read.events[1].Text("text"), "line 1\nline 2\t\"quoted\"");
    EXPECT_EQ(read.events[2].Text("folder"), "C:\\Programmes\\\xE6\x97\xA5");
    EXPECT_EQ(read.events[2].Number("bytes"), 1 << 20);
    EXPECT_EQ(read.events[2].line, 3);
    EXPECT_LE(read.events[0].time, read.events[2].time);
}

// A setup killed while writing leaves its last line without its end: the
// lines before are read, and the cut is reported.
TEST(LogReaderTest, ALogCutByAKillIsReadUpToItsLastWholeLine) {
    const std::string whole = kStart + kEntry;
    for (std::size_t keep :
         {std::size_t{1}, std::size_t{11}, kMessage.size() / 2, kMessage.size() - 2}) {
        const SetupLogContent read = Read(whole + kMessage.substr(0, keep));
        EXPECT_EQ(read.events.size(), 2u) << keep;
        EXPECT_TRUE(read.cut) << keep;
    }
    const SetupLogContent firstCut = Read(kStart.substr(0, 30));
    EXPECT_TRUE(firstCut.events.empty());
    EXPECT_TRUE(firstCut.cut);
    const SetupLogContent noLineEnd = Read(whole + kEnd.substr(0, kEnd.size() - 1));
    EXPECT_EQ(noLineEnd.events.size(), 3u) << "a last line whole but for its line end";
    EXPECT_FALSE(noLineEnd.cut);
}

TEST(LogReaderTest, WhatIsNotALogIsRefusedWithItsLineNumber) {
    EXPECT_EQ(Refusal("hello\n").line, 1);
    EXPECT_EQ(Refusal("hello").line, 1) << "no cut line of a log begins so";
    EXPECT_EQ(Refusal(std::string("\x7F"
                                  "ELF\x02\x01\x01\0\0",
                                  9))
                  .line,
              1);
    EXPECT_EQ(Refusal("[1, 2]\n").line, 1);
    EXPECT_EQ(Refusal(kStart + "\n" + kEntry).line, 2) << "a blank line";
    const SetupLogError noTime = Refusal(kStart + kEntry + "{\"event\": \"entry\"}\n");
    EXPECT_EQ(noTime.line, 3);
    EXPECT_NE(noTime.reason.find("\"time\""), std::string::npos) << noTime.reason;
    const SetupLogError noEvent =
        Refusal(kStart + Line("2026-03-01T12:00:00.000Z", R"("page": "Welcome")"));
    EXPECT_EQ(noEvent.line, 2);
    EXPECT_NE(noEvent.reason.find("\"event\""), std::string::npos) << noEvent.reason;
    EXPECT_EQ(Refusal(kStart + "{\"time\": \"2026\xFF\n").line, 2) << "a whole line is no cut line";
}

TEST(LogShowTest, OneLinePerEventAndTheResultAtTheEnd) {
    const std::string shown = ShowSetupLog(Read(kStart + kEntry + kMessage + kEnd));
    const char* const expected[] = {
        "    0.000s  Started Setup from Z:\\cd on the machine /m, language English; options: "
        "type typical, user Ada\n",
        "    2.500s  Installed Program into C:\\Program Files\\P: 12 files, 3.4 MB, unpacked\n",
        "    3.000s  Message: Replace the file?\\x1b[2J\\u009b2J -> No\n",
        "   60.000s  Ended with 1603 (failed)\n",
        "\nResult: 1603 (failed)\nSummary: Installing Samples failed. Left on the machine: 2 "
        "files.\n",
    };
    std::string all;
    for (const char* line : expected) {
        EXPECT_NE(shown.find(line), std::string::npos) << line << "\nin:\n" << shown;
        all += line;
    }
    EXPECT_EQ(shown, all);
}

TEST(LogShowTest, ACutLogAndAnUnknownEventAreShown) {
    const std::string shown =
        ShowSetupLog(Read(kStart +
                          Line("2026-03-01T12:00:01.000Z",
                               R"("event": "dialog-resized", "width": 640, "name": "main")") +
                          kMessage.substr(0, 20)));
    EXPECT_NE(shown.find("1.000s  dialog-resized: name main\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("cut off"), std::string::npos) << shown;
    EXPECT_NE(shown.find("Result: none"), std::string::npos) << shown;
    EXPECT_NE(ShowSetupLog(Read("")).find("empty"), std::string::npos);
}

TEST(LogShowTest, SizesAreShownInTheLargestFittingUnit) {
    EXPECT_EQ(SizeText(0), "0 bytes");
    EXPECT_EQ(SizeText(1), "1 byte");
    EXPECT_EQ(SizeText(1023), "1023 bytes");
    EXPECT_EQ(SizeText(1024), "1.0 KB");
    EXPECT_EQ(SizeText(3565158), "3.4 MB");
    EXPECT_EQ(SizeText(std::int64_t{5} << 40), "5120.0 GB");
}

TEST(LogCommandTest, ShowsALogAndRefusesAFileThatIsNone) {
    TestMachine machine;
    const std::string log = machine.Root() + "/setup.log";
    WriteHostFile(log, kStart + kEnd);
    KivtoolRun run = RunKivtool("log show '" + log + "'");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("Result: 1603 (failed)"), std::string::npos) << run.output;

    WriteHostFile(log, kStart + "not json\n");
    run = RunKivtool("log show '" + log + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("is not an install log: line 2:"), std::string::npos) << run.output;
    EXPECT_EQ(RunKivtool("log show '" + log + ".missing'").status, 1);
    EXPECT_EQ(RunKivtool("log").status, 2);
    EXPECT_EQ(RunKivtool("log show a b").status, 2);
}

// Input without end is refused by its size, with a reason and status 1,
// never with an abort for want of memory.
TEST(LogCommandTest, AFileWithoutEndIsRefusedBySize) {
    const KivtoolRun run = RunKivtool("log show /dev/zero");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("cannot read /dev/zero: larger than 256 MiB"), std::string::npos)
        << run.output;
}
