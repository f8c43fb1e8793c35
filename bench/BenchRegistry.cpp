// Setting 10,000 values one call at a time and reading them back, each call
// standing on its own as the setup makes them (open the key, set or read the
// value, close the key), in the system registry and in the registry file.
// Reported in calls per second and as a ratio to a reference measured in the
// same run: the same number of one-row transactions on a bare SQLite table
// with the registry's settings (write-ahead log, synchronous=NORMAL) and a
// prepared statement, the least a database-backed registry can cost.
#include "platform/Machine.h"
#include "platform/Windows.h"
#include "toolkit/KIVRegistry.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <sqlite3.h>
#include <string>

namespace {

constexpr int kCalls = 10000;
const char16_t* const kFile = u"bench.reg";

const std::string& MachineRoot() {
    static std::string root = [] {
        char pattern[] = "/tmp/kiv-bench-registry-XXXXXX";
        std::string made = mkdtemp(pattern) ? pattern : "/tmp/kiv-bench-registry";
        std::string error;
        if (!Machine::Create(made, MachineSettings(), &error) || !Machine::Use(made))
            std::abort();
        std::atexit([] { std::filesystem::remove_all(MachineRoot()); });
        return made;
    }();
    return root;
}

double ProcessSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct Rates {
    double wall; // calls per second by the wall clock
    double cpu;  // calls per second of processor time
};

// Reference: kCalls one-row transactions on a bare table.
Rates ReferenceRate() {
    static Rates rate = [] {
        std::string path = MachineRoot() + "/reference.db";
        sqlite3* db = nullptr;
        sqlite3_stmt* insert = nullptr;
        if (sqlite3_open(path.c_str(), &db) != SQLITE_OK ||
            sqlite3_exec(db,
                         "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;"
                         "CREATE TABLE t(name BLOB, data BLOB)",
                         nullptr, nullptr, nullptr) != SQLITE_OK ||
            sqlite3_prepare_v2(db, "INSERT INTO t VALUES(?1, ?2)", -1, &insert, nullptr) !=
                SQLITE_OK)
            std::abort();
        auto start = std::chrono::steady_clock::now();
        double cpuStart = ProcessSeconds();
        for (int i = 0; i < kCalls; ++i) {
            std::string name = "v" + std::to_string(i);
            sqlite3_bind_blob(insert, 1, name.data(), static_cast<int>(name.size()),
                              SQLITE_TRANSIENT);
            sqlite3_bind_blob(insert, 2, "data", 5, SQLITE_STATIC);
            if (sqlite3_step(insert) != SQLITE_DONE)
                std::abort();
            sqlite3_reset(insert);
        }
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        double cpu = ProcessSeconds() - cpuStart;
        sqlite3_finalize(insert);
        sqlite3_close(db);
        return Rates{kCalls / took.count(), kCalls / cpu};
    }();
    return rate;
}

// Times the timed loops by the wall clock, since the store waits on the disk
// and on other processes, and by the processor time this process used, which
// a busy machine does not inflate as much.
class CallTimer {
public:
    void Start() {
        start_ = std::chrono::steady_clock::now();
        cpuStart_ = ProcessSeconds();
    }
    void Stop() {
        seconds_ +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        cpuSeconds_ += ProcessSeconds() - cpuStart_;
    }
    void Report(benchmark::State& state) const {
        double calls = static_cast<double>(kCalls) * static_cast<double>(state.iterations());
        state.counters["calls/s"] = calls / seconds_;
        state.counters["vs_reference"] = calls / seconds_ / ReferenceRate().wall;
        state.counters["cpu_calls/s"] = calls / cpuSeconds_;
        state.counters["cpu_vs_reference"] = calls / cpuSeconds_ / ReferenceRate().cpu;
    }

private:
    std::chrono::steady_clock::time_point start_;
    double cpuStart_ = 0, seconds_ = 0, cpuSeconds_ = 0;
};

std::string Name(int i) {
    return "Value" + std::to_string(i);
}

void SetValues(const char16_t* file, const char* keyName) {
    const BYTE data[] = "C:\\Program Files\\Talvic\\bin";
    for (int i = 0; i < kCalls; ++i) {
        HKEY key = nullptr;
        if (KIVRegOpenKey(HKEY_LOCAL_MACHINE, keyName, 0, KEY_WRITE, &key, file) != 0 ||
            KIVRegSetValue(key, Name(i).c_str(), 0, REG_SZ, data, sizeof data, file) != 0)
            std::abort();
        KIVRegCloseKey(key, file);
    }
}

void SystemRegistryWrite(benchmark::State& state) {
    MachineRoot();
    int round = 0;
    CallTimer timer;
    for (auto _ : state) {
        timer.Start();
        SetValues(nullptr, ("Bench" + std::to_string(round++)).c_str());
        timer.Stop();
    }
    timer.Report(state);
}
BENCHMARK(SystemRegistryWrite)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void SystemRegistryRead(benchmark::State& state) {
    MachineRoot();
    SetValues(nullptr, "BenchRead");
    CallTimer timer;
    for (auto _ : state) {
        timer.Start();
        for (int i = 0; i < kCalls; ++i) {
            HKEY key = nullptr;
            char data[64];
            DWORD size = sizeof data;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "BenchRead", 0, KEY_QUERY_VALUE, &key) !=
                    ERROR_SUCCESS ||
                RegQueryValueExA(key, Name(i).c_str(), nullptr, nullptr,
                                 reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
                std::abort();
            RegCloseKey(key);
        }
        timer.Stop();
    }
    timer.Report(state);
}
BENCHMARK(SystemRegistryRead)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void RegistryFileWrite(benchmark::State& state) {
    MachineRoot();
    CallTimer timer;
    for (auto _ : state) {
        state.PauseTiming();
        KIVDeleteRegistryFile(kFile);
        state.ResumeTiming();
        timer.Start();
        SetValues(kFile, "SOFTWARE");
        timer.Stop();
    }
    timer.Report(state);
}
BENCHMARK(RegistryFileWrite)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// Reads value i by enumerating index i of the key: the registry file has no
// lookup by name, so this is how its users read it.
void RegistryFileRead(benchmark::State& state) {
    MachineRoot();
    KIVDeleteRegistryFile(kFile);
    SetValues(kFile, "SOFTWARE");
    CallTimer timer;
    for (auto _ : state) {
        timer.Start();
        for (int i = 0; i < kCalls; ++i) {
            HKEY key = nullptr;
            char name[32], data[64];
            DWORD nameSize = sizeof name, dataSize = sizeof data;
            if (KIVRegOpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, &key, kFile) != 0 ||
                KIVRegEnumValue(key, static_cast<DWORD>(i), name, &nameSize, nullptr, nullptr,
                                reinterpret_cast<BYTE*>(data), &dataSize, kFile) != 0)
                std::abort();
        }
        timer.Stop();
    }
    timer.Report(state);
}
BENCHMARK(RegistryFileRead)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
