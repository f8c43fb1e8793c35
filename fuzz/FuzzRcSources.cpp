// Fuzz target: the source readers of "kivtool rc". The first byte chooses
// the reader (texts, dialogs, fonts, accelerators, PNG); the rest is the
// source file. A refusal names the file; what is read keeps the limits the
// compiled files rely on.
#include "tools/kivtool/RcDialogs.h"
#include "tools/kivtool/RcFonts.h"
#include "tools/kivtool/RcOutput.h"

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
        char pattern[] = "/tmp/kiv-fuzz-rc-XXXXXX";
        return std::string(mkdtemp(pattern) ? pattern : "/tmp");
    }();
    return folder;
}

void Refused(bool read, const RcError& error, const std::string& path) {
    Check(read || (error.file == path && !error.message.empty()));
}

void Texts(const std::string& path) {
    RcTexts texts;
    RcError error;
    const bool read = ReadTexts(path, &texts, &error);
    Refused(read, error, path);
    for (const auto& [id, text] : texts)
        Check(id >= 0 && id <= kRcMaxIdentifier && text.text.size() <= kRcMaxTextChars);
}

void Dialogs(const std::string& path) {
    RcDialogs dialogs;
    RcError error;
    const bool read = ReadDialogs(path, true, &dialogs, &error);
    Refused(read, error, path);
    const RcTexts texts{{1, {u"One", 1}}};
    for (const auto& [id, dialog] : dialogs) {
        std::vector<std::uint8_t> record;
        RcError encoding;
        Check(EncodeDialog(dialog, texts, &record, &encoding) || !encoding.message.empty());
    }
}

// Font files are named from the sources' folder only: a font the input
// names elsewhere would make the run a font-rendering benchmark.
void Fonts(const std::string& path, const std::string& source) {
    if (source.find('/') != std::string::npos)
        return;
    RcRecords records;
    RcError error;
    Refused(CompileFonts(path, Folder(), &records, &error), error, path);
}

void Accelerators(const std::string& path) {
    std::vector<RcAcceleratorLine> lines;
    RcError error;
    if (ReadAccelerators(path, &lines, &error))
        Check(BuildAcceleratorFile(0x0409, lines).size() == 256 + 4 + lines.size() * 20);
    else
        Check(!error.message.empty());
}

void Png(const std::string& path) {
    RcPng png;
    std::string problem;
    if (ReadPng(path, &png, &problem))
        Check(png.pixels.size() == std::size_t(png.width) * png.height * (png.eightBit ? 1 : 4));
    else
        Check(!problem.empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string source(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string path = Folder() + "/source.txt";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << source;
    switch (data[0] % 5) {
    case 0:
        Texts(path);
        break;
    case 1:
        Dialogs(path);
        break;
    case 2:
        Fonts(path, source);
        break;
    case 3:
        Accelerators(path);
        break;
    default:
        Png(path);
        break;
    }
    return 0;
}
