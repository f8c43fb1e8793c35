// The cost of one edit in an edit field holding 250 characters, the redraw
// of the field included: a character typed and taken back again, at the end
// and in the middle of the text. References in the same run: one DrawText
// of the field's visible text, and one memcpy of the field's pixels.
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

namespace fs = std::filesystem;

constexpr int kWidth = 300;
constexpr int kHeight = 22;

class BenchApplication : public KIVApplication {
public:
    BenchApplication() : KIVApplication("Talvic", "1.0", nullptr, nullptr) {}
    bool OpenDocument(const char16_t*) override { return true; }
    bool NewDocument() override { return true; }
    bool CloseDocuments() override { return true; }
};

// The English resources beside a program on the machine's drive C, and an
// application that reads them (its fonts give the field its widths).
KIVApplication& Application() {
    static std::unique_ptr<BenchApplication> app = [] {
        const fs::path folder = fs::path(Machine::Current().Root()) / "drive_c" / "Talvic";
        fs::create_directories(folder);
        std::ofstream((folder / "talvic.exe").string()).put('\0');
        for (const char* extension : {".erf", ".erb", ".erd", ".erm", ".era", ".ers"})
            fs::copy_file(fs::path(KIV_RESOURCES "/English/Setup") += extension,
                          fs::path(folder / "talvic") += extension,
                          fs::copy_options::overwrite_existing);
        Machine::SetProgramPath((folder / "talvic.exe").string());
        return std::make_unique<BenchApplication>();
    }();
    return *app;
}

struct FieldBench {
    FieldBench() : pixels(kWidth * kHeight, 0xFFE0E0E0) {
        Application();
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
