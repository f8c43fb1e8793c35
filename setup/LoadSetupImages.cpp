#include "setup/LoadSetupImages.h"

#include "engine/CreateFolderPath.h"
#include "engine/MemberName.h"
#include "setup/LoadImageAt.h"
#include "setup/LoadImagePicture.h"
#include "setup/SetupDriver.h"
#include "setup/SetupImagePlacement.h"
#include "toolkit/drawing/KIVPainter.h"

#include <cstring>

namespace {

bool IsImageComponent(const Component& component, std::int32_t language) {
    return std::strncmp(component.name, "BillBo", 6) == 0 && (component.languages & language);
}

// Unpacks one packed entry into the images folder, or into its sub-folder
// there; a sub-folder that would leave the images folder is refused.
bool UnpackImageEntry(SetupDriver& driver, const InstallEntry& entry, const KIVString& folder) {
    KIVString destination = folder;
    if (entry.destinationFolder[0]) {
        const KIVString sub(entry.destinationFolder);
        if (!IsSafeMemberName(sub))
            return false;
        destination = folder + u"\\" + sub;
    }
    return driver.zip.ExtractPackage(destination, entry.packageOffset, nullptr, nullptr,
                                     &driver.worker.cancelRequested, &driver.worker.questionOpen,
                                     nullptr, entry.volume - 1) == 0;
}

void UnpackImages(SetupDriver& driver, const KIVString& folder, SetupImageMessage show) {
    for (const auto& component : driver.state.description.components) {
        if (!IsImageComponent(*component, driver.state.currentLanguage))
            continue;
        for (const InstallEntry* entry : component->entries)
            if (entry->packed && !UnpackImageEntry(driver, *entry, folder))
                show(u"Can't extract images.");
    }
}

void LoadLeftImage(const KIVString& folder, SetupImageMessage show, SetupImages* images) {
    int width = kLeftImageSize.cx, height = kLeftImageSize.cy;
    images->leftImage = LoadImagePicture(folder + u"\\Resources\\leftimage", &width, &height);
    // A picture fitted down reaches one of the limits; only one that misses
    // both has the wrong size.
    if (images->leftImage && width != kLeftImageSize.cx && height != kLeftImageSize.cy)
        show(u"Left image size has a wrong size (must have 113*353)");
}

// The background under rect, as an opaque picture; outside the background
// it stays black.
KIVBitmapFrame CopyBackground(const KIVDrawBuffer& background, const RECT& rect) {
    KIVBitmapFrame canvas;
    canvas.width = rect.right - rect.left;
    canvas.height = rect.bottom - rect.top;
    canvas.pixels.assign(4 * static_cast<std::size_t>(canvas.width) * canvas.height, 0);
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x) {
            const int sx = rect.left + x, sy = rect.top + y;
            if (sx < 0 || sy < 0 || sx >= background.width || sy >= background.height)
                continue;
            const DWORD pixel = *background.At(sx, sy) & 0xFFFFFF;
            std::memcpy(&canvas.pixels[4 * (static_cast<std::size_t>(y) * canvas.width + x)],
                        &pixel, 4);
        }
    return canvas;
}

void DrawLogos(const KIVString& folder, const SetupImageScreen& screen, SetupImages* images) {
    const int a = LogoMargin(screen.width);
    int width = kProductLogoSize.cx, height = kProductLogoSize.cy;
    if (!LoadImageAt(screen.background, folder + u"\\Logos\\talvic4", a, a, &width, &height))
        width = height = 0;
    images->productLogo = ProductLogoRect(screen.width, SIZE{width, height});

    const RECT box = MakerLogoBox(screen.width, screen.height, screen.frameHeight);
    width = kMakerLogoSize.cx, height = kMakerLogoSize.cy;
    const std::unique_ptr<KIVBitmapFrame> maker =
        LoadImagePicture(folder + u"\\Logos\\kiv", &width, &height);
    images->makerLogo = MakerLogoRect(box, maker ? SIZE{width, height} : SIZE{0, 0});
    if (maker)
        KIVPainter::DrawFrame(screen.background, *maker, images->makerLogo.left,
                              images->makerLogo.top);

    images->canvasRect = CentreCanvasRect(screen.width, screen.height);
    images->centreCanvas = CopyBackground(screen.background, images->canvasRect);
}

} // namespace

bool LoadSetupImages(SetupDriver& driver, const SetupImageScreen* screen, SetupImageMessage show,
                     SetupImages* images) {
    driver.worker.cancelRequested.store(0);
    driver.worker.questionOpen.store(0);
    driver.zip.SetMultiVolume(driver.state.description.multiVolume);
    const KIVString folder = driver.stagingFolder + u"\\Jpegs";
    CreateFolderPath(folder);
    UnpackImages(driver, folder, show);
    LoadLeftImage(folder, show, images);
    if (screen && driver.state.description.OptionFlag(kOptionFullScreen))
        DrawLogos(folder, *screen, images);
    return true;
}
