// The language resources at run time, each against a reference in the same
// run: a text lookup (the file opened anew under the lock, through the
// platform's file calls) against open, pread and close of the same bytes;
// loading the compiled Japanese font (its size as a counter) against
// copying its bytes; and a full repaint of a 640 x 480 buffer with 30 lines
// of text against a memcpy of the buffer.
#include "bench/BenchMachine.h"
#include "toolkit/resources/KIVFont.h"
#include "toolkit/resources/KIVMemorySource.h"
#include "toolkit/resources/KIVStringFile.h"
#include "toolkit/resources/KIVTextPainter.h"

#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <unistd.h>
#include <vector>

namespace {

std::vector<char> HostFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

// The English string file, copied onto the machine's drive C.
std::string MachineStringFile() {
    const std::vector<char> bytes = HostFile(KIV_RESOURCES "/English/Setup.ers");
    std::ofstream(Machine::Current().Root() + "/drive_c/Setup.ers", std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return Machine::Current().Root() + "/drive_c/Setup.ers";
}

void GetTextLookup(benchmark::State& state) {
    MachineStringFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(KIVStringFile::GetText("C:\\Setup.ers", 1004));
}
BENCHMARK(GetTextLookup);

void PreadReference(benchmark::State& state) {
    const std::string path = MachineStringFile();
    char16_t text[10001];
    for (auto _ : state) {
        const int fd = open(path.c_str(), O_RDONLY);
        std::int32_t offset = 0;
        std::int32_t length = 0;
        pread(fd, &offset, 4, 256 + 4 * 4);
        pread(fd, &length, 4, offset + 4);
        benchmark::DoNotOptimize(pread(fd, text, 2 * static_cast<std::size_t>(length), offset + 8));
        close(fd);
    }
}
BENCHMARK(PreadReference);

void LoadJapaneseFont(benchmark::State& state) {
    const std::vector<char> bytes = HostFile(KIV_RESOURCES "/Japanese/Setup.erf");
    const KIVMemorySource file(bytes.data(), bytes.size());
    for (auto _ : state)
        benchmark::DoNotOptimize(KIVFont::Load(file, 0, true));
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(LoadJapaneseFont)->Unit(benchmark::kMillisecond);

void CopyFontFileReference(benchmark::State& state) {
    const std::vector<char> bytes = HostFile(KIV_RESOURCES "/Japanese/Setup.erf");
    for (auto _ : state) {
        std::vector<char> copy(bytes);
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(CopyFontFileReference)->Unit(benchmark::kMillisecond);

constexpr int kWidth = 640;
constexpr int kHeight = 480;

void RepaintWithText(benchmark::State& state) {
    const std::vector<char> bytes = HostFile(KIV_RESOURCES "/English/Setup.erf");
    const KIVMemorySource file(bytes.data(), bytes.size());
    const auto font = KIVFont::Load(file, 0, false);
    std::vector<DWORD> background(kWidth * kHeight, 0xFFE0E0E0);
    std::vector<DWORD> pixels(kWidth * kHeight);
    const KIVDrawBuffer buffer{pixels.data(), kWidth, kHeight, kWidth, {0, 0, kWidth, kHeight}};
    for (auto _ : state) {
        std::memcpy(pixels.data(), background.data(), pixels.size() * sizeof(DWORD));
        for (int line = 0; line < 30; ++line)
            KIVTextPainter::DrawText(buffer, *font,
                                     u"The quick brown fox jumps over the lazy dog.\tSetup 1.0", -1,
                                     8, 8 + line * font->LineHeight(), kWidth - 16, 0x00202020, 0);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(RepaintWithText);

void MemcpyBufferReference(benchmark::State& state) {
    std::vector<DWORD> background(kWidth * kHeight, 0xFFE0E0E0);
    std::vector<DWORD> pixels(kWidth * kHeight);
    for (auto _ : state) {
        std::memcpy(pixels.data(), background.data(), pixels.size() * sizeof(DWORD));
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(MemcpyBufferReference);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksOnFreshMachine(argc, argv);
}
