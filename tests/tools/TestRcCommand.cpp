// kivtool rc as a vendor runs it: sources written here, compiled, then read
// back with the toolkit's readers; and sources it must refuse, naming the
// file and line, without leaving any output behind.
#include "HostFiles.h"
#include "KivtoolRun.h"
#include "toolkit/resources/KIVBitmapFile.h"
#include "toolkit/resources/KIVDialogFile.h"
#include "toolkit/resources/KIVFont.h"
#include "toolkit/resources/KIVMemorySource.h"
#include "toolkit/resources/KIVStringFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ft2build.h>
#include <functional>
#include FT_FREETYPE_H
#include <png.h>

namespace fs = std::filesystem;

namespace {

const char kDejaVu[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char kIpaGothic[] = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

class RcCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("kiv-rc-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        Source("English/language.txt", "language = English\n");
        Source("English/texts.txt", "# texts\n1 = English\n2 = Hello, %s!\\nBye\n3 = OK\n");
        Source("English/fonts.txt", std::string("0 = ") + kDejaVu + " 13 regular\n");
        Source("English/dialogs.txt",
               "dialog 4\n  window 1 2 300 200\n  margins -1 12\n  flags 0x2001\n"
               "  title \"@1\"\n"
               "  control Label 1000 10 20 110 40 state=2 style=1 font=0 text=\"@2\" "
               "tooltip=\"Tip \\\"x\\\"\" fields=7,-8\n"
               "  control 99 5 0 0 1 1\n"
               "end\n");
        Source("Japanese/language.txt", "language = Japanese\n");
        Source("Japanese/texts.txt", "1 = 日本語\n2 = こんにちは、%sさん\n");
        Source("Japanese/fonts.txt",
               std::string("0 = ") + kDejaVu + " 13 regular\nextension = " + kIpaGothic + "\n");
    }
    void TearDown() override { fs::remove_all(folder); }

    void Source(const std::string& name, const std::string& text) const {
        WriteHostFile(folder / name, text);
    }
    KivtoolRun Rc(const std::string& language) const {
        return RunKivtool("rc '" + (folder / language).string() + "' '" +
                          (folder / "out" / language / "Setup").string() + "'");
    }
    std::string Output(const std::string& language, const std::string& extension) const {
        return ReadHostFile(folder / "out" / language / ("Setup" + extension));
    }
    void WritePng(const std::string& name, png_uint_32 width, png_uint_32 height,
                  png_uint_32 format, const std::vector<std::uint8_t>& pixels) const {
        fs::create_directories(folder / "English/pictures");
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        image.width = width;
        image.height = height;
        image.format = format;
        ASSERT_TRUE(png_image_write_to_file(&image, (folder / "English/pictures" / name).c_str(), 0,
                                            pixels.data(), 0, nullptr));
    }

    fs::path folder;
};

struct Loaded {
    std::string bytes;
    KIVMemorySource Source() const { return KIVMemorySource(bytes.data(), bytes.size()); }
};

std::u16string Text(const KIVString& text) {
    return std::u16string(static_cast<const char16_t*>(text), text.GetLength());
}

} // namespace

TEST_F(RcCommandTest, TextsOfBothLanguagesReadBack) {
    ASSERT_EQ(Rc("English").status, 0);
    KivtoolRun run = Rc("Japanese");
    ASSERT_EQ(run.status, 0) << run.output;
    const Loaded english{Output("English", ".ers")};
    EXPECT_EQ(Text(KIVStringFile::ReadText(english.Source(), 2)), u"Hello, %s!\nBye");
    EXPECT_TRUE(KIVStringFile::ReadText(english.Source(), 0).IsEmpty());
    const Loaded japanese{Output("Japanese", ".ers")};
    EXPECT_EQ(Text(KIVStringFile::ReadText(japanese.Source(), 2)), u"こんにちは、%sさん");
    for (const char* extension : {".erf", ".erb", ".erd", ".erm", ".era", ".ers"}) {
        const Loaded file{Output("Japanese", extension)};
        LONG language = -1;
        ASSERT_TRUE(file.Source().LanguageId(&language)) << extension;
        EXPECT_EQ(language, 3) << extension;
    }
}

TEST_F(RcCommandTest, DialogLayoutsTakeTheLanguagesTexts) {
    ASSERT_EQ(Rc("Japanese").status, 0);
    const Loaded file{Output("Japanese", ".erd")};
    KIVDialogLayout layout;
    ASSERT_TRUE(KIVDialogFile::ReadLayout(file.Source(), 4, &layout));
    EXPECT_EQ(layout.x, 1);
    EXPECT_EQ(layout.height, 200);
    EXPECT_EQ(layout.leftMargin, -1);
    EXPECT_EQ(layout.topMargin, 12);
    EXPECT_EQ(layout.flags, 0x2001);
    EXPECT_EQ(layout.title, u"日本語");
    ASSERT_EQ(layout.controls.size(), 2u);
    const KIVControlRecord& label = layout.controls[0];
    EXPECT_EQ(label.type, 2);
    EXPECT_EQ(label.id, 1000);
    EXPECT_EQ(label.bottom, 40);
    EXPECT_EQ(label.state, 2);
    EXPECT_EQ(label.style, 1);
    EXPECT_EQ(label.text, u"こんにちは、%sさん");
    EXPECT_EQ(label.tooltip, u"Tip \"x\"");
    EXPECT_EQ(label.classFields, (std::vector<BYTE>{7, 0, 0, 0, 0xF8, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(layout.controls[1].type, 99);
}

// A label's drawing factor is a 32-bit float and its colour three single
// bytes; a hexadecimal item stays 32 bits even when it ends in "b" or "f".
TEST_F(RcCommandTest, ARecordOfATypeWithoutAControlIsKeptWithAWarning) {
    const KivtoolRun run = Rc("English");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("dialogs.txt:7: warning: the toolkit makes no control of type 99"),
              std::string::npos)
        << run.output;
    EXPECT_EQ(run.output.find("type 2"), std::string::npos) << run.output; // labels are made
}

TEST_F(RcCommandTest, TypedFieldsGiveFloatsSingleBytesAndWholeNumbers) {
    Source("English/dialogs.txt", "dialog 4\n  window 0 0 10 10\n"
                                  "  control Label 1 0 0 1 1 fields=1.5f,255b,-1b,0x1b,0x1f,-2\n"
                                  "end\n");
    ASSERT_EQ(Rc("English").status, 0);
    const Loaded file{Output("English", ".erd")};
    KIVDialogLayout layout;
    ASSERT_TRUE(KIVDialogFile::ReadLayout(file.Source(), 4, &layout));
    ASSERT_EQ(layout.controls.size(), 1u);
    EXPECT_EQ(layout.controls[0].classFields,
              (std::vector<BYTE>{0x00, 0x00, 0xC0, 0x3F, 0xFF, 0xFF, 0x1B, 0, 0, 0, 0x1F, 0, 0, 0,
                                 0xFE, 0xFF, 0xFF, 0xFF}));
}

TEST_F(RcCommandTest, FieldItemsOutOfTheirTypeAreRefusedWithTheirLine) {
    for (const char* fields : {"256b", "-129b", "1.5", "f", "inff", "2x"}) {
        Source("English/dialogs.txt",
               std::string("dialog 4\n  control Label 1 0 0 1 1 fields=") + fields + "\nend\n");
        const KivtoolRun run = Rc("English");
        EXPECT_EQ(run.status, 1) << fields;
        EXPECT_NE(run.output.find("dialogs.txt:2: error: expected: control"), std::string::npos)
            << fields << run.output;
    }
}

TEST_F(RcCommandTest, PictureStripsBecomeFramesOfEightOrThirtyTwoBits) {
    std::vector<std::uint8_t> grey(5 * 6);
    for (std::size_t i = 0; i < grey.size(); ++i)
        grey[i] = static_cast<std::uint8_t>(i);
    WritePng("3.v3.png", 5, 6, PNG_FORMAT_GRAY, grey); // three 5x2 frames
    WritePng("4.h2.png", 4, 1, PNG_FORMAT_RGBA,
             {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    ASSERT_EQ(Rc("English").status, 0);
    const Loaded file{Output("English", ".erb")};
    KIVBitmapFrame frame;
    ASSERT_TRUE(KIVBitmapFile::ReadFrame(file.Source(), 3, 2, &frame));
    EXPECT_TRUE(frame.IsEightBit());
    EXPECT_EQ(frame.width, 5);
    EXPECT_EQ(frame.height, 2);
    EXPECT_EQ(frame.pixels,
              (std::vector<BYTE>{20, 21, 22, 23, 24, 0, 0, 0, 25, 26, 27, 28, 29, 0, 0, 0}));
    ASSERT_TRUE(KIVBitmapFile::ReadFrame(file.Source(), 4, 1, &frame));
    EXPECT_FALSE(frame.IsEightBit());
    EXPECT_EQ(frame.width, 2);
    // Blue, green, red, then the transparency: 255 minus the PNG's alpha.
    EXPECT_EQ(frame.pixels, (std::vector<BYTE>{11, 10, 9, 243, 15, 14, 13, 239}));
}

TEST_F(RcCommandTest, GlyphCoverageIsFreeTypesOwnRendering) {
    ASSERT_EQ(Rc("Japanese").status, 0);
    const Loaded file{Output("Japanese", ".erf")};
    auto font = KIVFont::Load(file.Source(), 0, true);
    ASSERT_NE(font, nullptr);
    ASSERT_TRUE(font->HasExtension());
    FT_Library library;
    FT_Face face;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    ASSERT_EQ(FT_New_Face(library, kDejaVu, 0, &face), 0);
    FT_Set_Pixel_Sizes(face, 0, 13);
    ASSERT_EQ(FT_Load_Char(face, 'g', FT_LOAD_RENDER), 0);
    const int height = static_cast<int>((face->size->metrics.height + 32) >> 6);
    const int ascender = static_cast<int>((face->size->metrics.ascender + 32) >> 6);
    const int advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
    EXPECT_EQ(font->LineHeight(), height);
    ASSERT_EQ(font->Advance(u'g'), advance);
    const BYTE* glyph = font->Glyph(u'g');
    ASSERT_NE(glyph, nullptr);
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    int inked = 0;
    for (unsigned row = 0; row < bitmap.rows; ++row)
        for (unsigned column = 0; column < bitmap.width; ++column) {
            const int y = ascender - face->glyph->bitmap_top + static_cast<int>(row);
            const int x = face->glyph->bitmap_left + static_cast<int>(column);
            if (y < 0 || y >= height || x < 0 || x >= advance)
                continue;
            const BYTE expected = bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + column];
            EXPECT_EQ(glyph[y * advance + x], expected) << "row " << row << " column " << column;
            inked += expected != 0;
        }
    EXPECT_GT(inked, 10);
    // A character of code page 1252's upper half, and a double-byte one.
    ASSERT_EQ(FT_Load_Char(face, 0x20AC, FT_LOAD_RENDER), 0);
    const std::u16string euro = u"\x80";
    EXPECT_EQ(font->Advance(euro[0]), (face->glyph->advance.x + 32) >> 6);
    EXPECT_GT(font->Advance(u'\u3042'), 5);
    EXPECT_NE(font->Glyph(u'\u3042'), nullptr);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

TEST_F(RcCommandTest, BadSourcesNameFileAndLineAndLeaveNoOutput) {
    const std::string texts = (folder / "Japanese/texts.txt").string();
    const std::string japaneseDialogs = (folder / "Japanese/dialogs.txt").string();
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { Source("Japanese/texts.txt", "1 = ok\n2 = bad \xC3\x28 byte %s\n"); },
         texts + ":2: error: not valid UTF-8"},
        {[&] { Source("Japanese/texts.txt", "1 = ok\n\n2 = %d %s\n"); },
         texts + ":3: error: text 2 takes %d %s but the English text takes %s"},
        {[&] { Source("Japanese/texts.txt", "1 = " + std::string(10000, 'x') + "\n"); },
         texts + ":1: error: text 1 has 10000 characters, more than 9999"},
        {[&] { Source("Japanese/texts.txt", "1 = a\n1 = b\n"); },
         texts + ":2: error: text identifier 1 given twice"},
        {[&] { Source("Japanese/texts.txt", "1 = a \\q\n"); }, texts + ":1: error: unknown escape"},
        {[&] { Source("Japanese/dialogs.txt", "dialog 4\n  window 1 2 3\nend\n"); },
         japaneseDialogs + ":2: error: expected window"},
        {[&] { Source("Japanese/dialogs.txt", "dialog 4\n  title \"@9\"\nend\n"); },
         japaneseDialogs + ":1: error: no text 9"},
        {[&] { Source("Japanese/dialogs.txt", "dialog 4\n  control Nothing 1 0 0 1 1\nend\n"); },
         japaneseDialogs + ":2: error: expected: control"},
        {[&] { Source("Japanese/dialogs.txt", "dialog 4\n"); },
         japaneseDialogs + ":1: error: dialog 4 has no end"},
    };
    for (const auto& [write, expected] : cases) {
        Source("Japanese/texts.txt", "1 = 日本語\n2 = こんにちは、%sさん\n");
        fs::remove(japaneseDialogs);
        fs::remove_all(folder / "out");
        write();
        const KivtoolRun run = Rc("Japanese");
        EXPECT_EQ(run.status, 1) << expected;
        EXPECT_NE(run.output.find(expected), std::string::npos) << run.output;
        EXPECT_FALSE(fs::exists(folder / "out/Japanese/Setup.ers")) << expected;
        EXPECT_FALSE(fs::exists(folder / "out/Japanese/Setup.erf.part")) << expected;
    }
}

TEST_F(RcCommandTest, AFailedCompileKeepsTheFormerOutputWhole) {
    ASSERT_EQ(Rc("English").status, 0);
    const std::string before = Output("English", ".ers");
    Source("English/fonts.txt", "0 = /nonexistent/font.ttf 13 regular\n");
    const KivtoolRun run = Rc("English");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("fonts.txt:1: error: FreeType cannot open"), std::string::npos)
        << run.output;
    EXPECT_EQ(Output("English", ".ers"), before);
    Source("English/pictures/3.v4.png", "not a png");
    Source("English/fonts.txt", std::string("0 = ") + kDejaVu + " 13 regular\n");
    EXPECT_NE(Rc("English").output.find("3.v4.png: error: not a readable PNG file"),
              std::string::npos);
}

TEST_F(RcCommandTest, ResShowPrintsTheCompiledItems) {
    ASSERT_EQ(Rc("Japanese").status, 0);
    const std::string base = (folder / "out/Japanese/Setup").string();
    KivtoolRun run = RunKivtool("res show '" + base + ".ers' 1");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "language: 3\n1: 日本語\n");
    run = RunKivtool("res show '" + base + ".erd' --json");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.output.find("\"title\": \"日本語\""), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("\"class\": \"Label\""), std::string::npos) << run.output;
    run = RunKivtool("res show '" + base + ".erf'");
    EXPECT_NE(run.output.find("0: line height 15"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("double-byte extension"), std::string::npos) << run.output;
    EXPECT_EQ(RunKivtool("res show '" + base + ".ers' 7").status, 1);
    EXPECT_EQ(RunKivtool("res show '" + base + ".txt'").status, 2);
}

// Inputs are bounded before they cost memory: a source without end is
// refused by size, and a picture by its area, whatever its file weighs.
TEST_F(RcCommandTest, EndlessSourcesAndHugePicturesAreRefused) {
    fs::remove(folder / "English/texts.txt");
    fs::create_symlink("/dev/zero", folder / "English/texts.txt");
    KivtoolRun run = Rc("English");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("texts.txt: error: larger than 16 MiB"), std::string::npos)
        << run.output;

    fs::remove(folder / "English/texts.txt");
    Source("English/texts.txt", "1 = English\n2 = Hello, %s!\\nBye\n3 = OK\n");
    WritePng("5.png", 4097, 4097, PNG_FORMAT_GRAY, std::vector<std::uint8_t>(4097 * 4097));
    run = Rc("English");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("16777216 pixels"), std::string::npos) << run.output;
    EXPECT_FALSE(fs::exists(folder / "out/English/Setup.erb"));
}

// A label's for= follows its fields; without fields= the label's defaults
// (factor 1, the ink colour) are written before it.
TEST_F(RcCommandTest, ALabelsTargetFollowsItsFields) {
    Source("Japanese/dialogs.txt", "dialog 4\n  window 0 0 300 200\n"
                                   "  control CheckBox 7 10 10 26 26 font=0\n"
                                   "  control Label 8 30 10 200 26 font=0 text=\"&Box\" for=7\n"
                                   "  control Label 9 30 40 200 56 fields=0f,1b,2b,3b for=7\n"
                                   "end\n");
    ASSERT_EQ(Rc("Japanese").status, 0);
    const Loaded file{Output("Japanese", ".erd")};
    KIVDialogLayout layout;
    ASSERT_TRUE(KIVDialogFile::ReadLayout(file.Source(), 4, &layout));
    ASSERT_EQ(layout.controls.size(), 3u);
    EXPECT_EQ(layout.controls[1].classFields,
              (std::vector<BYTE>{0, 0, 0x80, 0x3F, 0x2B, 0x2B, 0x2B, 7, 0, 0, 0}));
    EXPECT_EQ(layout.controls[2].classFields, (std::vector<BYTE>{0, 0, 0, 0, 1, 2, 3, 7, 0, 0, 0}));
}

// Captions are checked in the language's own fonts: two controls of a
// dialog with one mnemonic, a caption wider than its button's inside (its
// width less 8 pixels of bevel and padding on each side), two buttons of a
// message box set with one mnemonic, and a label naming no control.
TEST_F(RcCommandTest, SharedMnemonicsAndCaptionsWiderThanTheirControlsAreRefused) {
    const std::string texts = (folder / "Japanese/texts.txt").string();
    const std::string dialogs = (folder / "Japanese/dialogs.txt").string();
    const std::string start = "dialog 4\n  window 0 0 300 200\n";
    const std::pair<std::string, std::string> cases[] = {
        {start + "  control TextButton 1 0 0 80 20 text=\"&Go\"\n"
                 "  control Label 2 0 30 80 46 text=\"&Name\"\n"
                 "  control RadioButton 3 0 50 80 66 text=\"Ni&ght\"\nend\n",
         dialogs + ":5: error: dialog 4 (Japanese): \"&Go\" (1) and \"Ni&ght\" (3) have the same "
                   "mnemonic 'G'"},
        {start + "  control TextButton 1 0 0 40 20 text=\"&Go on\"\nend\n",
         dialogs + ":3: error: dialog 4 (Japanese): the caption \"&Go on\" of control 1 is 38 "
                   "pixels wide; the control leaves 24 for it"},
        {start + "  control Label 1 0 0 80 16 text=\"&Name\" for=5\nend\n",
         dialogs + ":3: error: dialog 4 (Japanese): for=5 names no control of the dialog"},
        {start + "  control TextButton 1 0 0 80 20 for=5\nend\n",
         dialogs + ":3: error: for= belongs to a Label"},
    };
    for (const auto& [layout, expected] : cases) {
        Source("Japanese/dialogs.txt", layout);
        const KivtoolRun run = Rc("Japanese");
        EXPECT_EQ(run.status, 1) << expected;
        EXPECT_NE(run.output.find(expected), std::string::npos) << run.output;
    }
    fs::remove(dialogs);
    Source("Japanese/texts.txt",
           "1 = 日本語\n2 = こんにちは、%sさん\n9 = はい(&Y)\n11 = 良い(&y)\n");
    const KivtoolRun run = Rc("Japanese");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find(texts + ":4: error: the message box's buttons (set 12) (Japanese): "
                                      "\"はい(&Y)\" (9) and \"良い(&y)\" (11) have the same "
                                      "mnemonic 'Y'"),
              std::string::npos)
        << run.output;
}
