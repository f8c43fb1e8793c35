// A column list of 10,000 lines and 3 columns, each against a reference in
// the same run: re-sorting after a click on a title (every line taken out
// and put back at its binary-searched place) against std::sort of the same
// 10,000 texts ignoring case; and a full repaint of the list against one
// memcpy of its pixels. The ratio to the reference is the counter
// "x_reference" (the reference's time per iteration is measured first).
#include "bench/BenchApplication.h"
#include "bench/BenchMachine.h"
#include "platform/Machine.h"
#include "toolkit/KIVApplication.h"
#include "toolkit/controls/KIVColumnListBoxCtrl.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kLines = 10000;
constexpr RECT kListRect{0, 0, 640, 480};
constexpr int kWidth = 640;
constexpr int kHeight = 480;

std::u16string RandomWord(std::mt19937& random) {
    std::uniform_int_distribution<int> length(4, 14), letter(0, 51);
    std::u16string word;
    for (int i = length(random); i > 0; --i) {
        const int n = letter(random);
        word += static_cast<char16_t>(n < 26 ? u'a' + n : u'A' + n - 26);
    }
    return word;
}

struct Fixture {
    Fixture() : list(nullptr, 1, kListRect, 0, KIVListBoxCtrl::kSorted, 0) {
        BenchToolkitApplication();
        std::mt19937 random(7);
        for (const char16_t* title : {u"Name", u"Size", u"Kind"})
            list.AddColumn(title);
        for (int i = 0; i < kLines; ++i) {
            auto line = std::make_unique<KIVColumnListBoxLine>(&list, u"", false);
            for (int column = 0; column < 3; ++column) {
                const std::u16string word = RandomWord(random);
                line->SetCell(column, word.c_str());
                if (column == 0)
                    words.push_back(word);
            }
            list.AddLine(std::move(line));
        }
    }
    POINT Title(int column) const {
        const RECT band = list.HeaderRect();
        return POINT{band.left + list.GetColumnWidth(0) * column + 20, band.top + 8};
    }
    KIVColumnListBoxCtrl list;
    std::vector<std::u16string> words;
};

bool LessNoCase(const KIVString& a, const KIVString& b) {
    return a.CompareNoCase(b) < 0;
}

// Seconds per call of work, the best of a few rounds.
template <typename Work> double Seconds(Work work, int rounds = 5) {
    double best = 1e9;
    for (int round = 0; round < rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

// Ours per iteration over the reference's time.
void ReportRatio(benchmark::State& state, double reference,
                 std::chrono::steady_clock::time_point start) {
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["reference_us"] = reference * 1e6;
    state.counters["x_reference"] =
        elapsed / static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations())) /
        reference;
}

void ResortAfterTitleClick(benchmark::State& state) {
    Fixture fixture;
    std::vector<KIVString> texts;
    for (const std::u16string& word : fixture.words)
        texts.emplace_back(word.c_str());
    const double reference = Seconds([&] {
        std::vector<KIVString> copy(texts);
        std::sort(copy.begin(), copy.end(), LessNoCase);
        benchmark::DoNotOptimize(copy.data());
    });
    const POINT title = fixture.Title(0);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        // The sort column's title: the order turns round.
        fixture.list.OnMouseDown(title, 0);
        fixture.list.OnMouseUp(title, 0);
    }
    ReportRatio(state, reference, start);
}
BENCHMARK(ResortAfterTitleClick)->Unit(benchmark::kMillisecond)->UseRealTime();

void RepaintList(benchmark::State& state) {
    Fixture fixture;
    fixture.list.ScrollTo(0, 5000 * fixture.list.GetLineHeight());
    std::vector<DWORD> pixels(kWidth * kHeight);
    std::vector<DWORD> copy(kWidth * kHeight);
    const KIVDrawBuffer buffer{pixels.data(), kWidth, kHeight, kWidth, kListRect};
    const double reference =
        Seconds(
            [&] {
                for (int i = 0; i < 100; ++i) {
                    std::memcpy(copy.data(), pixels.data(), pixels.size() * sizeof(DWORD));
                    benchmark::DoNotOptimize(copy.data());
                }
            },
            20) /
        100;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        fixture.list.RedrawAllLines();
        fixture.list.Draw(buffer);
        benchmark::DoNotOptimize(pixels.data());
    }
    ReportRatio(state, reference, start);
}
BENCHMARK(RepaintList)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksOnFreshMachine(argc, argv);
}
