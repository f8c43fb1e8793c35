// Fuzz target: machine.ini, the machine settings file. Any file loads or is
// refused; settings that load are saved and load again as the same settings.
#include "platform/Machine.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

const std::string& Folder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/kiv-fuzz-machineini-XXXXXX";
        return std::string(mkdtemp(pattern) ? pattern : "/tmp");
    }();
    return folder;
}

bool Same(const MachineSettings& a, const MachineSettings& b) {
    return a.family == b.family && a.languageId == b.languageId && a.codePage == b.codePage &&
           a.screenWidth == b.screenWidth && a.screenHeight == b.screenHeight &&
           a.scale == b.scale && a.administrator == b.administrator &&
           a.registeredOwner == b.registeredOwner &&
           a.registeredOrganization == b.registeredOrganization && a.userName == b.userName &&
           a.freeSpace == b.freeSpace;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::ofstream(Folder() + "/machine.ini", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    MachineSettings loaded;
    if (!Machine::LoadSettings(Folder(), &loaded))
        return 0;
    Check(loaded.codePage == 1252 || loaded.codePage == 932);
    Check(Machine::SaveSettings(Folder(), loaded));
    MachineSettings again;
    Check(Machine::LoadSettings(Folder(), &again) && Same(loaded, again));
    return 0;
}
