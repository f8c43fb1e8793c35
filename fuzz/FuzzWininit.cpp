// Fuzz target: WININIT.INI, read by the machine's restart and extended by
// the setup. Any file is read; after the setup adds a replacement to it,
// the restart's reader finds that replacement among its lines.
#include "engine/WininitRenames.h"
#include "platform/Machine.h"
#include "platform/WininitRenameLines.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

const std::string& HostFile() {
    static const std::string file = [] {
        char pattern[] = "/tmp/kiv-fuzz-wininit-XXXXXX";
        std::string made = mkdtemp(pattern) ? pattern : "/tmp/kiv-fuzz-wininit";
        std::string error;
        Check(Machine::Create(made, MachineSettings(), &error) && Machine::Use(made));
        return made + "/drive_c/Windows/WININIT.INI";
    }();
    return file;
}

std::vector<std::pair<std::string, std::string>> ReadBack() {
    std::ifstream in(HostFile(), std::ios::binary);
    return WininitRenameLines(in);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream in(text);
    WininitRenameLines(in);
    std::ofstream(HostFile(), std::ios::binary | std::ios::trunc) << text;
    const std::pair<std::string, std::string> added{"C:\\Windows\\System32\\kivrt.dll",
                                                    "C:\\Windows\\kivrt.tmp"};
    Check(AddWininitRenames("C:\\Windows", {{added.second, added.first}}));
    const auto lines = ReadBack();
    Check(std::find(lines.begin(), lines.end(), added) != lines.end());
    return 0;
}
