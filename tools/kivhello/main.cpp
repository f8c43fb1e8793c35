// kivhello [--screenshot FILE.png]: see HelloApplication.h.
#include "tools/kivhello/HelloApplication.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    std::string screenshot;
    if (argc == 3 && std::strcmp(argv[1], "--screenshot") == 0) {
        screenshot = argv[2];
    } else if (argc != 1) {
        std::fputs("usage: kivhello [--screenshot FILE.png]\n", stderr);
        return 2;
    }
    HelloApplication application(screenshot);
    const int result = application.RunProgram(nullptr, nullptr, 1);
    return application.ScreenshotSaved() ? result : 1;
}
