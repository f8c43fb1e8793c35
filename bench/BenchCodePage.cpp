// MultiByteToWideChar and WideCharToMultiByte on the machine's code page
// (1252) against a bare iconv call on a descriptor opened once, in the same
// run: a 40-character ASCII path (argument 0) and a short text with accented
// letters (argument 1). The ratio shows what the Win32 layer (argument checks, code-page
// lookup, replacement handling) costs over the converter itself.
#include "bench/BenchMachine.h"
#include "platform/Machine.h"
#include "platform/WinBase.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <iconv.h>
#include <string>

namespace {

const char kAscii[] = "C:\\Program Files\\Product\\bin\\setup01.exe";
const char kLatin[] = "Caf\xe9 cr\xe8me br\xfbl\xe9\x65, na\xefve d\xe9j\xe0 vu \xe0 l'\xe9t\xe9!!";

const char* Text(const benchmark::State& state) {
    return state.range(0) ? kLatin : kAscii;
}

void MultiByteToWide(benchmark::State& state) {
    const char* text = Text(state);
    WCHAR out[128];
    for (auto _ : state)
        benchmark::DoNotOptimize(MultiByteToWideChar(CP_ACP, 0, text, -1, out, 128));
}
BENCHMARK(MultiByteToWide)->Arg(0)->Arg(1);

void IconvToUtf16Reference(benchmark::State& state) {
    const char* text = Text(state);
    iconv_t cd = iconv_open("UTF-16LE", "CP1252");
    char16_t out[128];
    for (auto _ : state) {
        char* in = const_cast<char*>(text);
        std::size_t inLeft = std::char_traits<char>::length(text) + 1;
        char* outPtr = reinterpret_cast<char*>(out);
        std::size_t outLeft = sizeof out;
        benchmark::DoNotOptimize(iconv(cd, &in, &inLeft, &outPtr, &outLeft));
    }
    iconv_close(cd);
}
BENCHMARK(IconvToUtf16Reference)->Arg(0)->Arg(1);

void WideToMultiByte(benchmark::State& state) {
    WCHAR wide[128];
    MultiByteToWideChar(CP_ACP, 0, Text(state), -1, wide, 128);
    char out[128];
    for (auto _ : state)
        benchmark::DoNotOptimize(
            WideCharToMultiByte(CP_ACP, 0, wide, -1, out, 128, nullptr, nullptr));
}
BENCHMARK(WideToMultiByte)->Arg(0)->Arg(1);

void IconvFromUtf16Reference(benchmark::State& state) {
    WCHAR wide[128];
    int length = MultiByteToWideChar(CP_ACP, 0, Text(state), -1, wide, 128);
    iconv_t cd = iconv_open("CP1252", "UTF-16LE");
    char out[128];
    for (auto _ : state) {
        char* in = reinterpret_cast<char*>(wide);
        std::size_t inLeft = static_cast<std::size_t>(length) * 2;
        char* outPtr = out;
        std::size_t outLeft = sizeof out;
        benchmark::DoNotOptimize(iconv(cd, &in, &inLeft, &outPtr, &outLeft));
    }
    iconv_close(cd);
}
BENCHMARK(IconvFromUtf16Reference)->Arg(0)->Arg(1);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksOnFreshMachine(argc, argv);
}
