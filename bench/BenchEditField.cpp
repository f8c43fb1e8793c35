// The cost of one edit in an edit field holding 250 characters, the redraw
// of the field included: a character typed and taken back again, at the end
// and in the middle of the text. References in the same run: one DrawText
// of the field's visible text, and one memcpy of the field's pixels.
#include "bench/BenchApplication.h"
#include "bench/BenchMachine.h"
#include "toolkit/KIVApplication.h"
#include "toolkit/controls/KIVEditCtrl.h"
#include "toolkit/resources/KIVFont.h"
#include "toolkit/resources/KIVTextPainter.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 22;

struct FieldBench {
    FieldBench() : pixels(kWidth * kHeight, 0xFFE0E0E0) {
        BenchToolkitApplication();
        KIVControlRecord record;
        record.type = 19;
        record.right = kWidth;
        record.bottom = kHeight;
        record.text = std::u16string(250, u'n');
        field = std::make_unique<KIVEditCtrl>(nullptr, record);
    }
    void Redraw() { field->Draw(buffer); }
    std::vector<DWORD> pixels;
    KIVDrawBuffer buffer{pixels.data(), kWidth, kHeight, kWidth, {0, 0, kWidth, kHeight}};
    std::unique_ptr<KIVEditCtrl> field;
};

// Each iteration types a character and takes it back: two edits.
void TypeAndRedraw(benchmark::State& state, FieldBench& bench) {
    for (auto _ : state) {
        bench.field->OnChar(u'x', 1, 0);
        bench.Redraw();
        bench.field->OnChar(8, 1, 0);
        bench.Redraw();
        benchmark::DoNotOptimize(bench.pixels.data());
    }
    state.SetItemsProcessed(2 * state.iterations());
}

void TypeAtTheEnd(benchmark::State& state) {
    FieldBench bench;
    bench.field->OnKeyDown(VK_END, 1, 0);
    TypeAndRedraw(state, bench);
}
BENCHMARK(TypeAtTheEnd);

void TypeInTheMiddle(benchmark::State& state) {
    FieldBench bench;
    bench.field->OnKeyDown(VK_HOME, 1, 0);
    for (int i = 0; i < 125; ++i)
        bench.field->OnKeyDown(VK_RIGHT, 1, 0);
    TypeAndRedraw(state, bench);
}
BENCHMARK(TypeInTheMiddle);

void DrawTextReference(benchmark::State& state) {
    FieldBench bench;
    const KIVFont& font = *bench.field->GetFont();
    const std::u16string text(250, u'n');
    for (auto _ : state) {
        KIVTextPainter::DrawText(bench.buffer, font, text.c_str(), -1, 6, 3, kWidth - 9, 0x002B2B2B,
                                 0);
        benchmark::DoNotOptimize(bench.pixels.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(DrawTextReference);

void MemcpyFieldReference(benchmark::State& state) {
    std::vector<DWORD> from(kWidth * kHeight, 0xFFE0E0E0);
    std::vector<DWORD> to(kWidth * kHeight);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), to.size() * sizeof(DWORD));
        benchmark::DoNotOptimize(to.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(MemcpyFieldReference);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksOnFreshMachine(argc, argv);
}
