#include "examples/gallery/GalleryApplication.h"

GalleryApplication::GalleryApplication()
    : KIVApplication("Kiv gallery", "1.0", u"English\\Setup", nullptr) {}

bool GalleryApplication::CreateMainWindow() {
    if (!dialog_.Open(ProgramFolder()))
        return false;
    m_pMainWnd = &dialog_;
    return true;
}
