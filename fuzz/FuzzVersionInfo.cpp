// Fuzz target: file version information. The input is written as a library
// on a scratch machine; its version block is read into a buffer of exactly
// the size asked for, then the fixed information, the translations and a
// text of the first translation are asked for in both forms. A buffer one
// byte short must be refused untouched. Nothing may crash or read or write out of bounds, and
// every value found must lie in the buffer, texts with their terminator.
#include "platform/Machine.h"
#include "platform/Windows.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char* const kLibrary = "C:\\fuzz.dll";

std::string LibraryPath() {
    static std::string path = [] {
        char pattern[] = "/tmp/kiv-fuzz-version-XXXXXX";
        std::string made = mkdtemp(pattern) ? pattern : "/tmp/kiv-fuzz-version";
        std::string error;
        if (!Machine::Create(made, MachineSettings(), &error) || !Machine::Use(made))
            std::abort();
        return made + "/drive_c/fuzz.dll";
    }();
    return path;
}

// Overwrites the file in place and cuts it to size: emptying it first would
// make the host wait for the disk on every input.
void WriteLibrary(const std::uint8_t* data, std::size_t size) {
    int fd = open(LibraryPath().c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size) ||
        ftruncate(fd, static_cast<off_t>(size)) != 0)
        std::abort();
    close(fd);
}

void CheckInside(const std::vector<BYTE>& buffer, LPVOID value, UINT length, std::size_t unit) {
    const BYTE* at = static_cast<const BYTE*>(value);
    if (at < buffer.data() || std::size_t(at - buffer.data()) + length * unit > buffer.size())
        std::abort();
}

// Asks for a value in both forms. A binary value is the same in both; a
// text must end with its terminator inside the buffer in both forms and
// have the length each reports.
void CheckText(const std::vector<BYTE>& buffer, const char* path) {
    LPVOID wide = nullptr, ansi = nullptr;
    UINT wideLength = 0, ansiLength = 0;
    std::u16string widePath(path, path + std::strlen(path));
    bool foundWide = VerQueryValueW(buffer.data(), widePath.c_str(), &wide, &wideLength);
    bool foundAnsi = VerQueryValueA(buffer.data(), path, &ansi, &ansiLength);
    if (foundWide != foundAnsi)
        std::abort();
    if (!foundWide)
        return;
    if (wide == ansi && wideLength == ansiLength) {
        CheckInside(buffer, wide, wideLength, 1);
        return;
    }
    CheckInside(buffer, ansi, ansiLength, 1);
    if (ansiLength == 0 || std::strlen(static_cast<const char*>(ansi)) + 1 != ansiLength)
        std::abort();
    CheckInside(buffer, wide, wideLength, 2);
    const BYTE* last = static_cast<const BYTE*>(wide) + (wideLength - 1) * 2;
    if (wideLength == 0 || last[0] != 0 || last[1] != 0)
        std::abort();
}

void CheckQueries(const std::vector<BYTE>& buffer) {
    LPVOID value = nullptr;
    UINT length = 0;
    if (VerQueryValueA(buffer.data(), "\\", &value, &length)) {
        VS_FIXEDFILEINFO fixed;
        if (length != sizeof fixed)
            std::abort();
        CheckInside(buffer, value, length, 1);
        std::memcpy(&fixed, value, sizeof fixed);
        if (fixed.dwSignature != VS_FFI_SIGNATURE)
            std::abort();
    }
    char text[64] = "\\StringFileInfo\\040904B0\\FileVersion";
    if (VerQueryValueW(buffer.data(), u"\\VarFileInfo\\Translation", &value, &length)) {
        CheckInside(buffer, value, length, 1);
        if (length >= 4) {
            const BYTE* pair = static_cast<const BYTE*>(value);
            std::snprintf(text, sizeof text, "\\StringFileInfo\\%02X%02X%02X%02X\\FileVersion",
                          pair[1], pair[0], pair[3], pair[2]);
        }
    }
    CheckText(buffer, text);
}

// A buffer smaller than asked for is refused and left as it was.
void CheckSmallBuffer(DWORD needed) {
    std::vector<BYTE> buffer(needed - 1, 0xAA);
    if (GetFileVersionInfoA(kLibrary, 0, needed - 1, buffer.data()) ||
        buffer != std::vector<BYTE>(needed - 1, 0xAA))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WriteLibrary(data, size);
    DWORD handle = 1;
    DWORD needed = GetFileVersionInfoSizeA(kLibrary, &handle);
    if (handle != 0)
        std::abort();
    if (needed == 0)
        return 0;
    std::vector<BYTE> buffer(needed);
    if (!GetFileVersionInfoA(kLibrary, 0, needed, buffer.data()))
        std::abort();
    CheckQueries(buffer);
    CheckSmallBuffer(needed);
    return 0;
}
