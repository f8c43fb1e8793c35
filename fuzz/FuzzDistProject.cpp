// Fuzz target: the reader of distribution project files. The input is
// written as a project file in a scratch folder and read and checked as
// kivtool dist build reads it. Any input must end in a project or in errors,
// each naming a line of the file (0 for the file as a whole).
#include "tools/kivtool/DistProject.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace {

const std::string& ProjectPath() {
    static const std::string path = [] {
        char pattern[] = "/tmp/kiv-fuzz-dist-XXXXXX";
        const std::string folder = mkdtemp(pattern) ? pattern : "/tmp";
        return folder + "/project.kivdist";
    }();
    return path;
}

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream file(ProjectPath(), std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const int lines = static_cast<int>(std::count(data, data + size, '\n')) + 1;
    DistProject project;
    std::vector<DistError> errors;
    const bool read = ReadDistProject(ProjectPath(), &project, &errors);
    Check(read == errors.empty());
    for (const DistError& error : errors)
        Check(error.line >= 0 && error.line <= lines && !error.message.empty());
    return 0;
}
