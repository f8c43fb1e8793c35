// The toolkit's benchmarks draw with the English resources the build
// compiles (KIV_RESOURCES): BenchToolkitApplication() puts them beside a
// program on the current machine's drive C, once, and returns an
// application that reads them, with the headless display.
#pragma once

#include "platform/Machine.h"
#include "platform/ui/DisplayBackend.h"
#include "platform/ui/headless/HeadlessBackend.h"
#include "toolkit/KIVApplication.h"

#include <filesystem>
#include <fstream>
#include <memory>

class BenchApplication : public KIVApplication {
public:
    BenchApplication() : KIVApplication("Bench", "1.0", nullptr, nullptr) {}
    bool OpenDocument(const char16_t*) override { return true; }
    bool NewDocument() override { return true; }
    bool CloseDocuments() override { return true; }
};

inline KIVApplication& BenchToolkitApplication() {
    namespace fs = std::filesystem;
    static std::unique_ptr<BenchApplication> app = [] {
        SetDisplayBackend(std::make_unique<HeadlessBackend>());
        const fs::path folder = fs::path(Machine::Current().Root()) / "drive_c" / "Bench";
        fs::create_directories(folder);
        std::ofstream((folder / "bench.exe").string()).put('\0');
        for (const char* extension : {".erf", ".erb", ".erd", ".erm", ".era", ".ers"})
            fs::copy_file(fs::path(KIV_RESOURCES "/English/Setup") += extension,
                          fs::path(folder / "bench") += extension,
                          fs::copy_options::overwrite_existing);
        Machine::SetProgramPath((folder / "bench.exe").string());
        return std::make_unique<BenchApplication>();
    }();
    return *app;
}
