// Wrapping a 100 KB licence text to a multi-line field's width in the
// English font, against a reference in the same run: measuring the whole
// text's width once (one pass over the characters' advances).
#include "bench/BenchMachine.h"
#include "toolkit/controls/KIVWrappedText.h"
#include "toolkit/resources/KIVFont.h"
#include "toolkit/resources/KIVMemorySource.h"
#include "toolkit/resources/KIVTextPainter.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kFieldWidth = 380;

std::unique_ptr<KIVFont> EnglishFont() {
    std::ifstream in(KIV_RESOURCES "/English/Setup.erf", std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    const KIVMemorySource file(bytes.data(), bytes.size());
    return KIVFont::Load(file, 0, false);
}

// Paragraphs of words of 1 to 12 letters, a blank line between them, until
// the text holds 50 000 characters (100 KB).
std::u16string LicenceText() {
    std::u16string text;
    unsigned seed = 7;
    while (text.size() < 50000) {
        for (int word = 0; word < 120; ++word) {
            seed = seed * 1103515245u + 12345u;
            text.append(1 + (seed >> 16) % 12, static_cast<char16_t>(u'a' + (seed >> 8) % 26));
            text += u' ';
        }
        text += u"\r\n\r\n";
    }
    return text;
}

void WrapLicence(benchmark::State& state) {
    const auto font = EnglishFont();
    const std::u16string text = LicenceText();
    KIVWrappedText wrapped;
    for (auto _ : state) {
        wrapped.Wrap(*font, text.c_str(), static_cast<int>(text.size()), kFieldWidth);
        benchmark::DoNotOptimize(wrapped.LineCount());
    }
    state.counters["lines"] = wrapped.LineCount();
}
BENCHMARK(WrapLicence)->Unit(benchmark::kMicrosecond);

void MeasureLicenceReference(benchmark::State& state) {
    const auto font = EnglishFont();
    const std::u16string text = LicenceText();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            KIVTextPainter::MeasureText(*font, text.c_str(), static_cast<int>(text.size())));
}
BENCHMARK(MeasureLicenceReference)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksOnFreshMachine(argc, argv);
}
