#include "examples/gallery/GalleryApplication.h"

GalleryApplication::GalleryApplication()
    : KIVApplication("Kiv gallery", "1.0", u"English\\Setup", nullptr) {}

bool GalleryApplication::CreateMainWindow() {
    dialog_ = std::make_unique<GalleryDialog>(ProgramFolder() + u"\\gallery\\Gallery.erd");
    if (!dialog_->Create(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0))
        return false;
    m_pMainWnd = dialog_.get();
    return true;
}
