// The repository's own language sources: all four compile with kivtool rc,
// every language ends up with the toolkit's pictures at the sizes its
// controls are laid out for, the message box finds its captions, and the
// picture sources are what scripts/draw-pictures.py draws.
#include "HostFiles.h"
#include "KivtoolRun.h"
#include "toolkit/drawing/KIVPrefixText.h"
#include "toolkit/resources/KIVDialogFile.h"
#include "toolkit/resources/KIVMemorySource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>

namespace fs = std::filesystem;

namespace {

const fs::path kRepository = fs::path(KIV_TEST_DATA) / ".." / "..";
const char* const kLanguages[] = {"English", "French", "German", "Japanese"};

struct Picture {
    int width = 0;
    int height = 0;
    int bits = 0;
    int frames = 0;
};

// Compiles the four languages once for the whole suite; keeps each one's
// pictures as `kivtool res show` lists them.
class CompiledSources {
public:
    static const CompiledSources& Get() {
        static const CompiledSources compiled;
        return compiled;
    }
    fs::path Base(const std::string& language) const { return folder_ / language / "Setup"; }
    const std::map<int, Picture>& Pictures(const std::string& language) const {
        return pictures_.at(language);
    }
    const std::map<std::string, std::string>& Failures() const { return failures_; }

private:
    CompiledSources()
        : folder_(fs::temp_directory_path() / ("kiv-look-" + std::to_string(getpid()))) {
        for (const char* language : kLanguages) {
            const KivtoolRun rc =
                RunKivtool("rc '" + (kRepository / "resources" / language).string() + "' '" +
                           Base(language).string() + "'");
            if (rc.status != 0)
                failures_[language] = rc.output;
            pictures_[language] =
                Shown(RunKivtool("res show '" + Base(language).string() + ".erb'"));
        }
    }
    ~CompiledSources() { fs::remove_all(folder_); }

    static std::map<int, Picture> Shown(const KivtoolRun& run) {
        static const std::regex line(R"((\d+): (\d+)x(\d+), (\d+) bits, (\d+) frames)");
        std::map<int, Picture> pictures;
        for (std::sregex_iterator it(run.output.begin(), run.output.end(), line), end; it != end;
             ++it)
            pictures[std::stoi((*it)[1])] = {std::stoi((*it)[2]), std::stoi((*it)[3]),
                                             std::stoi((*it)[4]), std::stoi((*it)[5])};
        return pictures;
    }

    fs::path folder_;
    std::map<std::string, std::string> failures_;
    std::map<std::string, std::map<int, Picture>> pictures_;
};

const std::map<int, Picture>& EnglishPictures() {
    return CompiledSources::Get().Pictures("English");
}

int Width(int id) {
    return EnglishPictures().at(id).width;
}
int Height(int id) {
    return EnglishPictures().at(id).height;
}

} // namespace

TEST(LanguageResourcesTest, TheFourLanguagesCompile) {
    for (const auto& [language, output] : CompiledSources::Get().Failures())
        ADD_FAILURE() << language << ": " << output;
}

// What the controls draw from: id, size, bits and frames (the push button and
// the radio face by visual state, the check-box face by its three states, the
// mark as tick and third-state bar). Languages without pictures of their own
// get the English ones.
TEST(LanguageResourcesTest, EveryLanguageListsTheToolkitPictures) {
    const std::map<int, Picture> expected = {
        {4, {60, 21, 32, 4}},   {13, {13, 13, 32, 1}},  {14, {13, 13, 32, 4}},
        {23, {4, 18, 32, 1}},   {55, {9, 9, 32, 1}},    {72, {13, 13, 32, 1}},
        {73, {9, 9, 32, 3}},    {74, {11, 11, 32, 2}},  {86, {32, 32, 32, 1}},
        {87, {32, 32, 32, 1}},  {88, {32, 32, 32, 1}},  {89, {32, 32, 32, 1}},
        {128, {4, 24, 32, 1}},  {129, {1, 24, 32, 1}},  {130, {4, 24, 32, 1}},
        {131, {6, 14, 32, 1}},  {132, {9, 14, 32, 1}},  {133, {6, 14, 32, 1}},
        {134, {9, 10, 32, 1}},  {135, {1, 10, 32, 1}},  {151, {9, 5, 32, 1}},
        {152, {9, 5, 32, 1}},   {201, {24, 16, 32, 1}}, {202, {24, 16, 32, 1}},
        {203, {24, 16, 32, 1}}, {204, {24, 16, 32, 1}}};
    for (const char* language : kLanguages) {
        const std::map<int, Picture>& shown = CompiledSources::Get().Pictures(language);
        for (const auto& [id, picture] : expected) {
            ASSERT_TRUE(shown.count(id)) << language << " lacks picture " << id;
            const Picture& got = shown.at(id);
            EXPECT_EQ(got.width, picture.width) << language << " " << id;
            EXPECT_EQ(got.height, picture.height) << language << " " << id;
            EXPECT_EQ(got.bits, picture.bits) << language << " " << id;
            EXPECT_EQ(got.frames, picture.frames) << language << " " << id;
        }
    }
}

// The drawing code places pictures relative to one another; sizes that do not
// fit together show as misaligned segments or marks outside their box.
TEST(LanguageResourcesTest, ThePicturesFitTogether) {
    // Progress bar: the row sits 5 pixels inside the frame on every side;
    // filled segments start at L + 12 and T + 7, one pixel into the first
    // slot's well (after its gap) and two below the row's top, and repeat at
    // the slot pitch.
    EXPECT_EQ(Height(128), Height(131) + 10);
    EXPECT_EQ(Height(129), Height(128));
    EXPECT_EQ(Height(130), Height(128));
    EXPECT_EQ(5 + Width(131) + 1, 12);
    EXPECT_EQ(Width(134), Width(132));
    EXPECT_LE(Height(134) + 2, Height(132));
    EXPECT_EQ(Height(135), Height(134));
    EXPECT_EQ(Height(132), Height(131));
    EXPECT_EQ(Height(133), Height(131));
    // Check box: the face sits 2 pixels inside the box, the mark 1 pixel.
    EXPECT_EQ(Width(73) + 4, Width(72));
    EXPECT_EQ(Height(73) + 4, Height(72));
    EXPECT_EQ(Width(74) + 2, Width(72));
    EXPECT_EQ(Height(74) + 2, Height(72));
    // Radio button: the face covers the ring's inside.
    EXPECT_EQ(Width(14), Width(13));
    EXPECT_EQ(Height(14), Height(13));
    // Message-box icons all one size, so the text starts at one place.
    for (int id : {86, 87, 88})
        EXPECT_EQ(std::make_pair(Width(id), Height(id)), std::make_pair(Width(89), Height(89)))
            << id;
    // Sort arrows both of one width, so the title box narrows the same.
    EXPECT_EQ(Width(151), Width(152));
}

// Every text of ids, in every language, is there and not empty.
static void ExpectTexts(const std::vector<int>& ids) {
    for (const char* language : kLanguages) {
        const std::string texts = CompiledSources::Get().Base(language).string() + ".ers";
        const KivtoolRun run = RunKivtool("res show '" + texts + "'");
        EXPECT_EQ(run.status, 0) << language << ": " << run.output;
        for (int id : ids) {
            const std::regex line("(^|\\n)" + std::to_string(id) + ": [^\\n]+");
            EXPECT_TRUE(std::regex_search(run.output, line))
                << language << " " << id << ": " << run.output;
        }
    }
}

// The message box's buttons take their captions from texts 0, 1, 2 and 6 to
// 12; the greeting window reads 1001 to 1005.
TEST(LanguageResourcesTest, EveryLanguageHoldsTheCaptionsAndTheGreeting) {
    ExpectTexts({0, 1, 2, 6, 7, 8, 9, 10, 11, 12, 1001, 1002, 1003, 1004, 1005});
}

// The setup's messages, headings, units and licence agreements, and the
// texts of its page layouts.
TEST(LanguageResourcesTest, EveryLanguageHoldsTheSetupsTexts) {
    std::vector<int> ids = {100, 101, 103, 104, 105, 110, 111, 112, 113, 114, 115,
                            116, 117, 118, 119, 121, 122, 123, 124, 125, 126, 129};
    for (int id = 106; id <= 109; ++id)
        ids.push_back(id);
    for (int id = 131; id <= 150; ++id)
        ids.push_back(id);
    for (int id = 1100; id <= 1105; ++id)
        ids.push_back(id);
    ExpectTexts(ids);
}

// Every push button, radio button and check box of the setup's pages, and
// every label naming a box, has a mnemonic in every language (kivtool rc,
// run above, sees that no two of a page are alike).
TEST(LanguageResourcesTest, EveryCaptionOfThePagesHasAMnemonic) {
    constexpr LONG kLabel = 2, kTextButton = 8, kCheckBox = 15, kRadioButton = 17;
    for (const char* language : kLanguages) {
        const std::string bytes =
            ReadHostFile(CompiledSources::Get().Base(language).string() + ".erd");
        const KIVMemorySource file(bytes.data(), bytes.size());
        for (LONG page = 10; page <= 17; ++page) {
            KIVDialogLayout layout;
            ASSERT_TRUE(KIVDialogFile::ReadLayout(file, page, &layout)) << language << " " << page;
            for (const KIVControlRecord& control : layout.controls) {
                const bool named = control.type == kLabel && control.classFields.size() == 11;
                const bool button = control.type == kTextButton || control.type == kCheckBox ||
                                    control.type == kRadioButton;
                if ((button || named) && !control.text.empty()) {
                    EXPECT_NE(KIVPrefixText::MnemonicOf(control.text.c_str()), 0)
                        << language << " page " << page << " control " << control.id;
                }
            }
        }
    }
}

// The PNG sources are the generator's output: a look changed in the script
// but not regenerated (or a PNG edited by hand) shows here.
TEST(LanguageResourcesTest, ThePictureSourcesAreWhatTheGeneratorDraws) {
    if (std::system("python3 --version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 is not installed";
    const fs::path drawn =
        fs::temp_directory_path() / ("kiv-look-drawn-" + std::to_string(getpid()));
    fs::remove_all(drawn);
    const std::string command = "python3 '" +
                                (kRepository / "scripts" / "draw-pictures.py").string() + "' '" +
                                drawn.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    int compared = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(drawn)) {
        const fs::path source =
            kRepository / "resources" / "English" / "pictures" / entry.path().filename();
        EXPECT_EQ(ReadHostFile(entry.path()), ReadHostFile(source)) << entry.path().filename();
        ++compared;
    }
    EXPECT_EQ(compared, 26);
    fs::remove_all(drawn);
}
