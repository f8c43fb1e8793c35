// The setup images at start-up: image components chosen by name and
// language, their packages (made by kivtool pack) unpacked into the staging
// folder's "Jpegs" folder, the side image and its size message, and in
// full-screen mode the logos and the centre canvas on the background.
#include "JpegFiles.h"
#include "PackedEntries.h"
#include "TestMachine.h"
#include "setup/LoadSetupImages.h"
#include "setup/SetupDriver.h"
#include "setup/SetupImagePlacement.h"
#include "tools/KivtoolRun.h"

#include <cstring>
#include <map>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::vector<std::u16string>& Messages() {
    static std::vector<std::u16string> messages;
    return messages;
}
void Show(const char16_t* text) {
    Messages().push_back(text);
}

constexpr DWORD kBackground = 0x336699;

class SetupImagesTest : public MachineTest {
protected:
    void SetUp() override { Messages().clear(); }

    fs::path Work(const std::string& name) { return fs::path(machine.Root()) / "work" / name; }

    // Packs the named folders of work/ into C:\Medium\archive.zkiv and
    // opens it; remembers each package's offset.
    void Pack(const std::vector<std::string>& folders) {
        fs::create_directories(machine.DriveC("Medium"));
        std::string arguments = "pack create '" + machine.DriveC("Medium/archive.zkiv") + "'";
        for (const std::string& folder : folders)
            arguments += " " + folder + "='" + Work(folder).string() + "'";
        const KivtoolRun run = RunKivtool(arguments, "KIV_MACHINE='" + machine.Root() + "'", true);
        ASSERT_EQ(run.status, 0) << run.output;
        std::istringstream lines(run.output);
        std::string name;
        std::int32_t offset = 0;
        for (std::string rest; lines >> name >> offset && std::getline(lines, rest);)
            offsets[name] = offset;
        ASSERT_EQ(driver.zip.OpenArchive(u"C:\\Medium", u"C:\\Medium", u"archive", false), 0);
        driver.stagingFolder = u"C:\\Staging";
    }

    InstallEntry* Entry(const char* folder, std::int32_t offset) {
        return AddPackedEntry(driver, folder, offset);
    }
    void AddComponent(const char* name, std::vector<InstallEntry*> entries,
                      std::int32_t languages = 1) {
        auto component = std::make_unique<Component>();
        std::strcpy(component->name, name);
        component->languages = languages;
        component->entries = std::move(entries);
        driver.state.description.components.push_back(std::move(component));
    }
    bool Staged(const std::string& path) { return fs::exists(machine.DriveC("Staging/" + path)); }
    // A 1024 x 768 screen drawn into pixels (filled with the background).
    static SetupImageScreen Screen(std::vector<DWORD>* pixels) {
        pixels->assign(1024 * 768, kBackground);
        SetupImageScreen screen;
        screen.background = KIVDrawBuffer{pixels->data(), 1024, 768, 1024, RECT{0, 0, 1024, 768}};
        screen.width = 1024;
        screen.height = 768;
        return screen;
    }

    SetupDriver driver;
    std::map<std::string, std::int32_t> offsets;
    SetupImages images;
};

DWORD Pixel(const std::vector<DWORD>& pixels, int width, int x, int y) {
    return pixels[static_cast<std::size_t>(y * width + x)];
}

bool NearPixel(DWORD pixel, Rgb rgb) {
    return Near(Rgb{static_cast<int>(pixel >> 16 & 0xFF), static_cast<int>(pixel >> 8 & 0xFF),
                    static_cast<int>(pixel & 0xFF)},
                rgb);
}

} // namespace

// The full-screen test below checks the logos' places on a 1024 x 768
// screen; here the odd cases of the integer arithmetic.
TEST(SetupImagePlacement, MarginAndCanvasTruncateTowardZero) {
    EXPECT_EQ(LogoMargin(1024), 62);
    EXPECT_EQ(LogoMargin(300), -10);
    EXPECT_EQ(MakerLogoBox(300, 200, 4).bottom, 200 - (6 + (-10 / 10) + 20));
    const RECT canvas = CentreCanvasRect(1025, 769);
    EXPECT_EQ(canvas.left, 192);
    EXPECT_EQ(canvas.top, 144);
    EXPECT_EQ(canvas.right, 832);
    EXPECT_EQ(canvas.bottom, 624);
    EXPECT_EQ(CentreCanvasRect(600, 400).left, -20);
}

// "BillBo..." components of the current language are unpacked; a lower-case
// name, another language and an entry that is not packed are not. A package
// that fails, or a sub-folder that would leave the images folder, gives one
// message each and the rest goes on.
TEST_F(SetupImagesTest, ImageComponentsAreUnpackedIntoTheJpegsFolder) {
    WriteJpeg(Work("res/leftimage_rgb.jpg"), 226, 706, Flat(kGreen));
    WriteJpeg(Work("french/leftimage_rgb.jpg"), 100, 300, Flat(kRed));
    WriteHostFile(Work("other/other.txt"), "not an image");
    Pack({"res", "french", "other"});
    InstallEntry* copied = Entry("Copied", offsets["other"]);
    copied->packed = false;
    AddComponent("BillBoard", {Entry("", 3), Entry("..\\Escape", offsets["other"]),
                               Entry("Resources", offsets["res"]), copied});
    AddComponent("billbo", {Entry("Lower", offsets["other"])});
    AddComponent("BillBoFrench", {Entry("Resources", offsets["french"])}, 2);
    AddComponent("Program", {Entry("Program", offsets["other"])});

    EXPECT_TRUE(LoadSetupImages(driver, nullptr, Show, &images));
    EXPECT_TRUE(Staged("Jpegs/Resources/leftimage_rgb.jpg"));
    EXPECT_FALSE(Staged("Escape"));
    EXPECT_FALSE(Staged("Jpegs/Lower"));
    EXPECT_FALSE(Staged("Jpegs/Copied"));
    EXPECT_FALSE(Staged("Jpegs/Program"));
    EXPECT_EQ(Messages(),
              (std::vector<std::u16string>{u"Can't extract images.", u"Can't extract images."}));
    ASSERT_TRUE(images.leftImage);
    EXPECT_EQ(images.leftImage->width, 113);
    EXPECT_EQ(images.leftImage->height, 353);
}

TEST_F(SetupImagesTest, OnlyASideImageMissingBothLimitsRaisesTheSizeMessage) {
    struct Case {
        int width, height;
        bool message;
        int fittedWidth, fittedHeight;
    };
    const Case cases[] = {
        {113, 353, false, 113, 353},
        {100, 300, true, 100, 300},
        {200, 353, false, 113, 199},
    };
    driver.stagingFolder = u"C:\\Staging";
    for (const Case& c : cases) {
        fs::remove_all(machine.DriveC("Staging"));
        WriteJpeg(machine.DriveC("Staging/Jpegs/Resources/leftimage_rgb.jpg"), c.width, c.height,
                  Flat(kBlue));
        Messages().clear();
        SetupImages loaded;
        LoadSetupImages(driver, nullptr, Show, &loaded);
        ASSERT_TRUE(loaded.leftImage) << c.width;
        EXPECT_EQ(loaded.leftImage->width, c.fittedWidth);
        EXPECT_EQ(loaded.leftImage->height, c.fittedHeight);
        EXPECT_EQ(Messages().size(), c.message ? 1u : 0u) << c.width << " x " << c.height;
    }
}

// On a 1024 x 768 screen: the product logo at (62, 62), the smaller maker
// logo in the bottom-right corner of its box, and the centre canvas taken
// after the logos were drawn.
TEST_F(SetupImagesTest, InFullScreenModeTheLogosAreDrawnAndTheCanvasKept) {
    WriteJpeg(Work("logos/talvic4_rgb.jpg"), 200, 200, Flat(kRed));
    WriteJpeg(Work("logos/kiv_rgb.jpg"), 100, 40, Flat(kWhite));
    Pack({"logos"});
    AddComponent("BillBoLogos", {Entry("Logos", offsets["logos"])});
    driver.state.description.options[kOptionFullScreen].number = 1;
    std::vector<DWORD> pixels;
    SetupImageScreen screen = Screen(&pixels);
    screen.frameHeight = 4;

    EXPECT_TRUE(LoadSetupImages(driver, &screen, Show, &images));
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(images.leftImage);
    EXPECT_EQ(images.productLogo.right, 262);
    EXPECT_EQ(images.productLogo.bottom, 262);
    EXPECT_TRUE(NearPixel(Pixel(pixels, 1024, 62, 62), kRed));
    EXPECT_EQ(Pixel(pixels, 1024, 61, 61), kBackground);
    EXPECT_EQ(Pixel(pixels, 1024, 262, 262), kBackground);

    EXPECT_EQ(images.makerLogo.left, 862);
    EXPECT_EQ(images.makerLogo.top, 696);
    EXPECT_TRUE(NearPixel(Pixel(pixels, 1024, 862, 696), kWhite));
    EXPECT_TRUE(NearPixel(Pixel(pixels, 1024, 961, 735), kWhite));
    EXPECT_EQ(Pixel(pixels, 1024, 861, 695), kBackground);
    EXPECT_EQ(Pixel(pixels, 1024, 812, 674), kBackground) << "the box's own corner stays empty";

    EXPECT_EQ(images.canvasRect.left, 192);
    EXPECT_EQ(images.canvasRect.top, 144);
    ASSERT_EQ(images.centreCanvas.width, 640);
    ASSERT_EQ(images.centreCanvas.height, 480);
    const BYTE* corner = images.centreCanvas.pixels.data();
    EXPECT_GT(corner[2], 250) << "the product logo reaches into the canvas";
    EXPECT_EQ(corner[3], 0);
    const BYTE* inside = &images.centreCanvas.pixels[4 * (100 * 640 + 100)];
    EXPECT_EQ(inside[0] | inside[1] << 8 | inside[2] << 16, static_cast<int>(kBackground));
}

// Without a product logo there is no title image to keep clear of: its
// rectangle is empty at the margin, so that the pages are centred on the
// screen instead of being pushed below an 800-pixel logo that is not there.
TEST_F(SetupImagesTest, WithoutAProductLogoTheTitleImageIsEmpty) {
    driver.stagingFolder = u"C:\\Staging";
    driver.state.description.options[kOptionFullScreen].number = 1;
    std::vector<DWORD> pixels;
    const SetupImageScreen screen = Screen(&pixels);
    EXPECT_TRUE(LoadSetupImages(driver, &screen, Show, &images));
    EXPECT_EQ(images.productLogo.left, 62);
    EXPECT_EQ(images.productLogo.right, 62);
    EXPECT_EQ(images.productLogo.bottom, 62);
    EXPECT_EQ(Pixel(pixels, 1024, 62, 62), kBackground);
}

TEST_F(SetupImagesTest, WithoutFullScreenModeNothingIsDrawn) {
    WriteJpeg(machine.DriveC("Staging/Jpegs/Logos/talvic4_rgb.jpg"), 20, 20, Flat(kRed));
    driver.stagingFolder = u"C:\\Staging";
    std::vector<DWORD> pixels;
    const SetupImageScreen screen = Screen(&pixels);
    EXPECT_TRUE(LoadSetupImages(driver, &screen, Show, &images));
    EXPECT_EQ(Pixel(pixels, 1024, 62, 62), kBackground);
    EXPECT_TRUE(images.centreCanvas.pixels.empty());
}

// On a screen smaller than the canvas the canvas reaches past the
// background; that part stays black and nothing outside is read.
TEST_F(SetupImagesTest, ACanvasBeyondASmallScreenKeepsBlackOutsideIt) {
    driver.stagingFolder = u"C:\\Staging";
    driver.state.description.options[kOptionFullScreen].number = 1;
    std::vector<DWORD> pixels(600 * 400, kBackground);
    SetupImageScreen screen;
    screen.background = KIVDrawBuffer{pixels.data(), 600, 400, 600, RECT{0, 0, 600, 400}};
    screen.width = 600;
    screen.height = 400;
    EXPECT_TRUE(LoadSetupImages(driver, &screen, Show, &images));
    EXPECT_EQ(images.canvasRect.left, -20);
    EXPECT_EQ(images.canvasRect.top, -40);
    ASSERT_EQ(images.centreCanvas.pixels.size(), 4u * 640 * 480);
    const auto at = [&](int x, int y) {
        const BYTE* p = &images.centreCanvas.pixels[4 * (static_cast<std::size_t>(y) * 640 + x)];
        return static_cast<DWORD>(p[0] | p[1] << 8 | p[2] << 16);
    };
    EXPECT_EQ(at(0, 0), 0u);
    EXPECT_EQ(at(20, 40), kBackground);
    EXPECT_EQ(at(619, 439), kBackground);
    EXPECT_EQ(at(620, 440), 0u);
}
