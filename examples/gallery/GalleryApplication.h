// kivgallery: a program of the toolkit that shows one dialog with every
// control the toolkit builds, from a layout compiled by kivtool rc, and
// opens a message box of each button set from a row of buttons. Its texts,
// fonts and pictures are the English language resources beside it; the
// dialog ends the program when it is closed.
#pragma once

#include "examples/gallery/GalleryDialog.h"
#include "toolkit/KIVApplication.h"

#include <memory>

class GalleryApplication : public KIVApplication {
public:
    GalleryApplication();

    bool CreateMainWindow() override;
    bool OpenDocument(const char16_t*) override { return false; }
    bool NewDocument() override { return true; }
    bool CloseDocuments() override { return true; }

private:
    std::unique_ptr<GalleryDialog> dialog_;
};
