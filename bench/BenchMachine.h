// Runs the benchmarks of an executable on a fresh machine made in /tmp for
// the run (narrow text conversion and files need one), removed afterwards.
#pragma once

#include "platform/Machine.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

inline int RunBenchmarksOnFreshMachine(int argc, char** argv) {
    char pattern[] = "/tmp/kiv-bench-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::fputs("cannot make a machine folder\n", stderr);
        return 1;
    }
    std::string error;
    if (!Machine::Create(pattern, MachineSettings(), &error) || !Machine::Use(pattern)) {
        std::fprintf(stderr, "cannot make a machine: %s\n", error.c_str());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(pattern, ignored);
    return 0;
}
