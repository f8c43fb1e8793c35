// kivgallery: see GalleryApplication.h.
#include "examples/gallery/GalleryApplication.h"

#include <cstdio>

int main(int argc, char**) {
    if (argc != 1) {
        std::fputs("usage: kivgallery   (KIV_DISPLAY and KIV_SCRIPT as for every program)\n",
                   stderr);
        return 2;
    }
    GalleryApplication application;
    return application.RunProgram(nullptr, nullptr, 1);
}
