// The response file of the unattended setup, and the setup's command line:
// what a hand-written file may hold, what is refused with its line, and that
// a recorded response reads back as it was.
#include "setup/SetupCommandLine.h"
#include "setup/SetupResponse.h"

#include <gtest/gtest.h>

TEST(SetupResponse, AHandWrittenFileReadsWithCommentsBlanksCaseAndWindowsLineEnds) {
    SetupResponse response;
    std::string error;
    ASSERT_TRUE(ParseSetupResponse("\xEF\xBB\xBF# made by hand\r\n\r\n  language=french \r\n"
                                   "LICENSE = Accepted\r\nuser = Zoë = Z\r\ncompany =\r\n"
                                   "components = One ,, Two \r\nlaunch = TRUE\r\n",
                                   &response, &error))
        << error;
    EXPECT_EQ(response.language, "french");
    EXPECT_EQ(response.licenceAccepted, true);
    EXPECT_EQ(response.userName, "Zoë = Z") << "only the first = separates";
    EXPECT_EQ(response.company, "") << "an empty company is a choice, not a missing key";
    EXPECT_EQ(response.components, (std::vector<std::string>{"One", "Two"}));
    EXPECT_EQ(response.launch, true);
    EXPECT_FALSE(response.folder) << "a key left out keeps the page's default";
}

TEST(SetupResponse, WhatIsNotAKeyWithAFittingValueIsRefusedWithItsLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"User = a\nColour = blue\n", "line 2: unknown key \"Colour\""},
        {"\n\nLicence = maybe\n", "line 3: Licence takes accept or decline"},
        {"RunPrograms = sometimes\n", "line 1: RunPrograms takes yes or no"},
        {"Folder C:\\x\n", "line 1: expected Key = value"},
        {"User = a\x01b\n", "line 1: the line holds control characters"},
        {"User = " + std::string(5000, 'a') + "\n", "line 1: the line is longer than 4096 bytes"},
        {std::string(70000, '#'), "the file is larger than 64 KB"},
    };
    for (const auto& [text, message] : cases) {
        SetupResponse response;
        std::string error;
        EXPECT_FALSE(ParseSetupResponse(text, &response, &error)) << message;
        EXPECT_EQ(error.substr(0, message.size()), message);
    }
}

TEST(SetupResponse, ARecordedResponseReadsBackAsItWas) {
    SetupResponse recorded;
    recorded.language = "Japanese";
    recorded.licenceAccepted = true;
    recorded.userName = "山田 太郎";
    recorded.company = "";
    recorded.setupType = "Custom";
    recorded.folder = "C:\\Program Files\\Kiv software\\Orrery";
    recorded.components = std::vector<std::string>{"Program", "Library"};
    recorded.startupShortcut = false;
    recorded.runPrograms = true;
    SetupResponse read;
    std::string error;
    ASSERT_TRUE(ParseSetupResponse(FormatSetupResponse(recorded), &read, &error)) << error;
    EXPECT_EQ(read.language, recorded.language);
    EXPECT_EQ(read.userName, recorded.userName);
    EXPECT_EQ(read.company, recorded.company);
    EXPECT_EQ(read.folder, recorded.folder);
    EXPECT_EQ(read.components, recorded.components);
    EXPECT_EQ(read.startupShortcut, false);
    EXPECT_EQ(read.runPrograms, true);
    EXPECT_FALSE(read.launch);
}

TEST(SetupCommandLine, OptionsTakeEitherPrefixAnyCaseAndRefuseWhatTheyDoNotKnow) {
    SetupCommandLine options;
    std::string error;
    ASSERT_TRUE(ParseSetupCommandLine(
        {"-s", "/d=C:\\A=B", "/Lang=German", "/LOG=C:\\l.txt", "/record=C:\\r.ini"}, &options,
        &error))
        << error;
    EXPECT_TRUE(options.silent);
    EXPECT_EQ(options.folder, "C:\\A=B");
    EXPECT_EQ(options.language, "German");
    EXPECT_EQ(options.logFile, "C:\\l.txt");
    EXPECT_EQ(options.recordFile, "C:\\r.ini");
    for (const char* bad : {"/D=", "/SILENT", "S", "/RESPONSE"}) {
        SetupCommandLine other;
        EXPECT_FALSE(ParseSetupCommandLine({bad}, &other, &error)) << bad;
        EXPECT_NE(error.find(bad), std::string::npos) << error;
    }
}
