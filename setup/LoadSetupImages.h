// LoadSetupImages: the setup's own pictures, at start-up before the first
// page. The packages of the components named "BillBo..." (for the current
// language) are unpacked into the staging folder's "Jpegs" folder, then the
// side image of the wizard pages is loaded and, in full-screen mode, the
// product and maker logos are drawn onto the background window's picture
// and the part of it under the pages is kept as the centre canvas.
//
// Pictures, as base paths in the "Jpegs" folder with their maximum sizes:
//   Resources\leftimage   113 x 353   the side image
//   Logos\talvic4         800 x 800   the product logo
//   Logos\kiv             150 x 62    the maker logo
#pragma once

#include "toolkit/resources/KIVBitmapFile.h"
#include "toolkit/resources/KIVDrawBuffer.h"

#include <memory>

class SetupDriver;

// The full-screen background window's picture and the screen's size; the
// pictures are placed in screen coordinates of that picture.
struct SetupImageScreen {
    KIVDrawBuffer background;
    int width = 0;
    int height = 0;
    int frameHeight = 0; // the vertical window-frame size (SM_CYFRAME)
};

// What the wizard and the background window draw from.
struct SetupImages {
    std::unique_ptr<KIVBitmapFrame> leftImage; // the side image, or none
    // Full-screen mode only. The rectangles the logos were drawn in, to be
    // repainted (empty, at the logo's corner, when the logo is missing); the
    // product logo's right and bottom also place the pages.
    RECT productLogo = {};
    RECT makerLogo = {};
    // The background under the centre canvas's rectangle, opaque, to be
    // drawn back once the progress page has gone.
    RECT canvasRect = {};
    KIVBitmapFrame centreCanvas;
};

// Shows one message of the images to the user, in the setup's message box;
// never null.
using SetupImageMessage = void (*)(const char16_t* text);

// screen: the background when the description asks for full-screen mode
// (null without a background window: the logos are then skipped). Messages:
// "Can't extract images." for each image package that fails to unpack (the
// rest are still tried), and the size message for a side image whose width
// and height both miss 113 x 353. Always true: missing pictures are no
// failure of the setup.
bool LoadSetupImages(SetupDriver& driver, const SetupImageScreen* screen, SetupImageMessage show,
                     SetupImages* images);
