// KIVString against std::u16string in the same run: copying a 40-character
// text, appending one character at a time up to 600, and making 100,000 short
// values from narrow text (both sides convert through the machine's code page).
#include "bench/BenchMachine.h"
#include "platform/Machine.h"
#include "platform/WinBase.h"
#include "toolkit/KIVString.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

const char16_t kForty[] = u"C:\\Program Files\\Product\\bin\\setup01.exe";
static_assert(sizeof kForty / sizeof kForty[0] == 41, "forty characters");

void CopyKIVString(benchmark::State& state) {
    const KIVString source(kForty);
    for (auto _ : state) {
        KIVString copy(source);
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(CopyKIVString);

void CopyU16String(benchmark::State& state) {
    const std::u16string source(kForty);
    for (auto _ : state) {
        std::u16string copy(source);
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(CopyU16String);

void AppendKIVString(benchmark::State& state) {
    for (auto _ : state) {
        KIVString s;
        for (int i = 0; i < state.range(0); ++i)
            s += static_cast<char16_t>(u'a' + i % 26);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(AppendKIVString)->Arg(500)->Arg(600);

void AppendU16String(benchmark::State& state) {
    for (auto _ : state) {
        std::u16string s;
        for (int i = 0; i < state.range(0); ++i)
            s += static_cast<char16_t>(u'a' + i % 26);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(AppendU16String)->Arg(500)->Arg(600);

const char* const kNarrow[8] = {"OK",
                                "Cancel",
                                "< Back",
                                "Next >",
                                "Setup type",
                                "Typical",
                                "C:\\Program Files",
                                "caf\xe9 cr\xe8me"};

void NarrowKIVString(benchmark::State& state) {
    for (auto _ : state) {
        for (int i = 0; i < 100000; ++i) {
            KIVString s(kNarrow[i % 8]);
            benchmark::DoNotOptimize(s);
        }
    }
}
BENCHMARK(NarrowKIVString)->Unit(benchmark::kMillisecond);

void NarrowU16String(benchmark::State& state) {
    for (auto _ : state) {
        for (int i = 0; i < 100000; ++i) {
            const char* text = kNarrow[i % 8];
            const int bytes = static_cast<int>(std::strlen(text));
            std::u16string s(bytes, u'\0');
            s.resize(MultiByteToWideChar(CP_ACP, 0, text, bytes, s.data(), bytes));
            benchmark::DoNotOptimize(s);
        }
    }
}
BENCHMARK(NarrowU16String)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksOnFreshMachine(argc, argv);
}
