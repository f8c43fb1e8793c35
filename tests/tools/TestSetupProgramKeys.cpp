// The setup program used by keyboard alone: every page of the example
// product's medium in each of the four languages, driven by a script of key
// strokes and typed text without a single click, the Custom setup type
// chosen, ending in a complete installation.
#include "SetupProgramTest.h"

#include <gtest/gtest.h>

using namespace setup_test;

namespace {

struct KeysLanguage {
    const char* name;
    const char* downs; // the language's line in the list, from the top
};

class SetupKeysTest : public SetupProgramTest, public ::testing::WithParamInterface<KeysLanguage> {
protected:
    // Each page as it opens: the focus already where a person starts.
    static std::string Script(const char* downs) {
        return std::string("wait-window #17\nkey Home") + downs +
               "\nkey Return\n"
               "wait-window #10\nkey Return\n"
               // Licence: from the text, Tab reaches the first choice.
               "wait-window #11\nkey Tab\nkey Space\nkey Return\n"
               // User: typing goes into the name field.
               "wait-window #12\nkey End\ntype  Ada\nkey Return\n"
               // Setup type: from the checked type, Down to Custom at the end.
               "wait-window #13\nkey Down Down\nkey Return\n"
               "wait-window #14\nkey Return\n"
               "wait-window #15 60000\nkey Return\n";
    }
};

} // namespace

TEST_P(SetupKeysTest, EveryPageByKeysAloneEndsInACustomInstallation) {
    ASSERT_EQ(RunSetup(Script(GetParam().downs)), 0) << output;
    EXPECT_EQ(output.find("click"), std::string::npos);
    for (const char* file : {"Orrery.exe", "Docs/readme.txt", "Samples"})
        EXPECT_TRUE(fs::exists(Product(file))) << file << " (Custom offers every component)";
    const std::string key = ProductKey();
    EXPECT_NE(key.find("C:\\Program Files\\Kiv software\\Orrery"), std::string::npos) << key;
    EXPECT_NE(key.find("User Ada"), std::string::npos) << key;
    const std::string user =
        Kivtool("reg query 'HKEY_CURRENT_USER\\Software\\Kiv software\\Orrery'").output;
    EXPECT_NE(user.find(GetParam().name), std::string::npos) << "the language chosen: " << user;
    EXPECT_EQ(fs::exists(Product("Docs/Handbuch.html")), std::string(GetParam().name) == "German")
        << "the German manual is offered in German only";
    EXPECT_TRUE(fs::exists(Product(".uninstallinfos.log")));
    EXPECT_FALSE(fs::exists(Staging()));
}

INSTANTIATE_TEST_SUITE_P(Languages, SetupKeysTest,
                         ::testing::Values(KeysLanguage{"English", ""},
                                           KeysLanguage{"French", " Down"},
                                           KeysLanguage{"German", " Down Down"},
                                           KeysLanguage{"Japanese", " Down Down Down"}),
                         [](const auto& info) { return std::string(info.param.name); });

// Enter on a focused Back or Cancel button is that button's, Escape's
// question included; Back then shows the licence still accepted.
TEST_F(SetupProgramTest, EnterPressesTheFocusedButtonAndTheLicenceStaysAccepted) {
    const std::string script = "wait-window #17\nkey Return\n"
                               "wait-window #10\nkey Return\n"
                               "wait-window #11\nkey Tab\nkey Space\nkey Return\n"
                               // User page: Shift+Tab from the name field to Cancel; after
                               // No the focus is on Cancel again, two more reach Back.
                               "wait-window #12\nkey Shift+Tab\nkey Return\n" +
                               std::string(kBox) +
                               "key N\nwait-window #12\nkey Shift+Tab Shift+Tab\n"
                               "key Return\nwait-window #11\nkey Return\n"
                               "wait-window #12\nkey Escape\n" +
                               kBox + "key Y\n";
    ASSERT_EQ(RunSetup(script), kCancelledStatus) << output;
    ExpectNothingInstalled();
}
