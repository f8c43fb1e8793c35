// The loader's record of where it read each part of a description (for the
// checker): line numbers counted over every line, skipped ones included; the
// keywords as written; number fields that are not plain numbers; how the
// registry keys ended.
#include "SetupTestText.h"
#include "setup/SetupDescriptionReader.h"

#include <gtest/gtest.h>

TEST(SetupDescriptionLines, RecordsTheLineOfEachRecord) {
    SetupDescription d;
    ASSERT_TRUE(LoadDescriptionText(DescriptionText().Text(), d)) << d.error.reason;
    const SetupDescriptionLines& lines = d.sourceLines;
    EXPECT_EQ(lines.header[1], 2); // after the comment line
    EXPECT_EQ(lines.header[18], 19);
    EXPECT_EQ(lines.predecompWord, "predecomp");
    ASSERT_EQ(lines.entries.size(), 2u);
    EXPECT_EQ(lines.entries[1].entryLine, 22);
    EXPECT_EQ(lines.entries[1].nameListLine, 23);
    EXPECT_EQ(lines.entries[1].packedWord, "copy");
    EXPECT_EQ(lines.entries[1].platformWord, "platformPCMAC");
    EXPECT_EQ(lines.components, (std::vector<int>{25, 26}));
    EXPECT_EQ(lines.setupTypes, (std::vector<int>{28, 29, 30}));
    ASSERT_EQ(lines.registryKeys.size(), 2u);
    EXPECT_EQ(lines.registryKeys[0].valueLines, (std::vector<int>{40, 41}));
    EXPECT_EQ(lines.registryEnd, SetupRegistryEnd::kEndLine);
    EXPECT_EQ(lines.registryEndLine, 43);
    EXPECT_EQ(lines.optionCount, 3);
    EXPECT_EQ(lines.options[3], 47);
    EXPECT_TRUE(lines.oddNumbers.empty());
}

TEST(SetupDescriptionLines, NotesWhatTheSetupReadsLeniently) {
    DescriptionText text;
    text.header.replace(text.header.find("Languages 15"), 12, "Languages 15x");
    text.registry.replace(text.registry.find("[ENDREGBASE]"), 12, "[ENDREGBASE");
    SetupDescription d;
    ASSERT_TRUE(LoadDescriptionText(text.Text(), d)) << d.error.reason;
    ASSERT_EQ(d.sourceLines.oddNumbers.size(), 1u);
    EXPECT_EQ(d.sourceLines.oddNumbers[0].line, 14);
    EXPECT_EQ(d.sourceLines.oddNumbers[0].what, "header line 13: available languages");
    EXPECT_EQ(d.sourceLines.oddNumbers[0].field, "15x");
    EXPECT_EQ(d.sourceLines.registryEnd, SetupRegistryEnd::kStrayLine);

    text.registry = "Registry begin\n[HKEY_CURRENT_USER\\Software\\Kiv]\n";
    text.options.clear();
    ASSERT_TRUE(LoadDescriptionText(text.Text(), d));
    EXPECT_EQ(d.sourceLines.registryEnd, SetupRegistryEnd::kFileEnded);
}

TEST(SetupDescriptionLines, PlainNumbersFitTheSignedRange) {
    for (const char* plain : {"0", "007", "+5", "-1", "2147483647", "-2147483648", "0002147483647"})
        EXPECT_TRUE(SetupDescriptionReader::IsPlainNumber(plain)) << plain;
    for (const char* odd :
         {"", "-", "+", "12k", "yes", "1.10", "2147483648", "-2147483649", "99999999999"})
        EXPECT_FALSE(SetupDescriptionReader::IsPlainNumber(odd)) << odd;
}
