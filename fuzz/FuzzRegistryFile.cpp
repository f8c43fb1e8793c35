// Fuzz target: the registry file. The input is written as a registry file
// in the Windows folder of a scratch machine, then keys are opened (with and
// without creation), values enumerated and set, as the setup and the
// toolkit use it, including key handles taken from the input. Nothing may
// crash, read or write out of bounds, or report success with an
// unterminated text.
#include "platform/Machine.h"
#include "toolkit/KIVRegistry.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace {

const char16_t* const kFile = u"fuzz.reg";

std::string WindowsFolder() {
    static std::string folder = [] {
        char pattern[] = "/tmp/kiv-fuzz-regfile-XXXXXX";
        std::string made = mkdtemp(pattern) ? pattern : "/tmp/kiv-fuzz-regfile";
        std::string error;
        if (!Machine::Create(made, MachineSettings(), &error) || !Machine::Use(made))
            std::abort();
        return made + "/drive_c/Windows";
    }();
    return folder;
}

void Enumerate(HKEY key) {
    for (DWORD index = 0; index < 8; ++index) {
        char name[8], data[16];
        DWORD nameSize = sizeof name, dataSize = sizeof data;
        if (KIVRegEnumValue(key, index, name, &nameSize, nullptr, nullptr,
                            reinterpret_cast<BYTE*>(data), &dataSize, kFile) != 0)
            return;
        if (!std::memchr(name, 0, sizeof name) || !std::memchr(data, 0, sizeof data))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    std::string path = WindowsFolder() + "/fuzz.reg";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(size));
    HKEY key = nullptr;
    if (KIVRegOpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, &key, kFile) == 0)
        Enumerate(key);
    Enumerate(HKEY_CLASSES_ROOT);
    std::uint32_t offset = 0;
    std::memcpy(&offset, bytes, std::min<std::size_t>(size, sizeof offset));
    HKEY fromInput = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(offset % (size + 16)));
    Enumerate(fromInput);
    const BYTE data[] = "value";
    KIVRegSetValue(fromInput, "Fuzz", 0, REG_SZ, data, sizeof data, kFile);
    if (KIVRegOpenKey(HKEY_LOCAL_MACHINE, "Kiv software", 0, KEY_WRITE, &key, kFile) == 0) {
        KIVRegSetValue(key, "Language", 0, REG_SZ, data, sizeof data, kFile);
        Enumerate(key);
    }
    KIVDeleteRegistryFile(kFile);
    return 0;
}
