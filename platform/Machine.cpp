// The machine in use by this process, its settings file and the making of a
// fresh machine tree.
#include "platform/Machine.h"
#include "platform/WriteConfinement.h"

#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr unsigned kMaxScale = 8;
constexpr char kFreeSpaceKey[] = "freeSpace.";

std::mutex machineLock;
Machine* current = nullptr;
std::atomic<unsigned> generation{0};

std::string AbsoluteRoot(const std::string& root) {
    std::error_code error;
    fs::path path = fs::absolute(root, error).lexically_normal();
    std::string text = path.string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

// "C:\Windows\Temp" under root is <root>/drive_c/Windows/Temp.
std::string HostFolder(const std::string& root, const std::string& windowsPath) {
    std::string rest = windowsPath.substr(2);
    for (char& c : rest)
        if (c == '\\')
            c = '/';
    return root + "/drive_c" + rest;
}

std::string OneLine(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '\r' && c != '\n')
            out += c;
    return out;
}

bool ParseUnsigned(const std::string& text, unsigned* value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    unsigned long parsed = std::strtoul(text.c_str(), &end, 0);
    if (*end || parsed > 0xFFFFFFFFul)
        return false;
    *value = static_cast<unsigned>(parsed);
    return true;
}

bool ParseScreen(const std::string& text, int* width, int* height) {
    std::size_t x = text.find('x');
    unsigned w = 0, h = 0;
    if (x == std::string::npos || !ParseUnsigned(text.substr(0, x), &w) ||
        !ParseUnsigned(text.substr(x + 1), &h) || w == 0 || h == 0 || w > 16384 || h > 16384)
        return false;
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    return true;
}

// "freeSpace.D" with a decimal number of bytes.
bool ApplyFreeSpace(const std::string& key, const std::string& value, MachineSettings* s) {
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(key.back())));
    if (key.size() != std::strlen(kFreeSpaceKey) + 1 || letter < 'A' || letter > 'Z' ||
        value.empty() || value.find_first_not_of("0123456789") != std::string::npos)
        return false;
    errno = 0;
    const unsigned long long bytes = std::strtoull(value.c_str(), nullptr, 10);
    if (errno == ERANGE)
        return false;
    s->freeSpace[letter] = bytes;
    return true;
}

bool ApplySetting(const std::string& key, const std::string& value, MachineSettings* s) {
    unsigned number = 0;
    if (key.rfind(kFreeSpaceKey, 0) == 0) {
        return ApplyFreeSpace(key, value, s);
    } else if (key == "family") {
        if (value != "NT" && value != "9x")
            return false;
        s->family = value == "NT" ? PlatformFamily::NT : PlatformFamily::Win9x;
    } else if (key == "language") {
        if (!ParseUnsigned(value, &number) || number == 0 || number > 0xFFFF)
            return false;
        s->languageId = number;
    } else if (key == "codepage") {
        if (!ParseUnsigned(value, &number) || (number != 1252 && number != 932))
            return false;
        s->codePage = number;
    } else if (key == "screen") {
        return ParseScreen(value, &s->screenWidth, &s->screenHeight);
    } else if (key == "scale") {
        if (!ParseUnsigned(value, &number) || number > kMaxScale)
            return false;
        s->scale = static_cast<int>(number);
    } else if (key == "administrator") {
        if (value != "0" && value != "1")
            return false;
        s->administrator = value == "1";
    } else if (value.find('\r') != std::string::npos &&
               (key == "owner" || key == "organization" || key == "user")) {
        return false; // a text is one line: a CR within it could never be saved
    } else if (key == "owner") {
        s->registeredOwner = value;
    } else if (key == "organization") {
        s->registeredOrganization = value;
    } else if (key == "user") {
        s->userName = value;
    }
    return true; // unknown keys are left for newer versions
}

} // namespace

std::string Machine::DefaultRoot() {
    if (const char* root = std::getenv("KIV_MACHINE"); root && *root)
        return AbsoluteRoot(root);
    if (const char* home = std::getenv("HOME"); home && *home)
        return AbsoluteRoot(std::string(home) + "/.kiv/machine");
    return "/tmp/kiv-machine-" + std::to_string(getuid());
}

bool Machine::Create(const std::string& root, const MachineSettings& settings, std::string* error) {
    std::string base = AbsoluteRoot(root);
    std::error_code code;
    for (const std::string& folder : MachineFolders::All(settings)) {
        fs::create_directories(HostFolder(base, folder), code);
        if (code) {
            if (error)
                *error = "cannot create " + HostFolder(base, folder) + ": " + code.message();
            return false;
        }
    }
    if (!SaveSettings(base, settings)) {
        if (error)
            *error = "cannot write " + base + "/machine.ini";
        return false;
    }
    return true;
}

Machine& Machine::Current() {
    std::lock_guard<std::mutex> lock(machineLock);
    if (!current) {
        current = new Machine;
        current->root_ = DefaultRoot();
        if (!LoadSettings(current->root_, &current->settings_) &&
            !fs::exists(current->root_ + "/machine.ini"))
            Create(current->root_, current->settings_, nullptr);
        generation.fetch_add(1);
    }
    return *current;
}

bool Machine::Use(const std::string& root) {
    MachineSettings settings;
    std::string base = AbsoluteRoot(root);
    if (!LoadSettings(base, &settings))
        return false;
    std::lock_guard<std::mutex> lock(machineLock);
    if (!current)
        current = new Machine;
    current->root_ = base;
    current->settings_ = settings;
    generation.fetch_add(1);
    return true;
}

unsigned Machine::Generation() {
    return generation.load();
}

bool Machine::LoadSettings(const std::string& root, MachineSettings* settings) {
    std::ifstream in(AbsoluteRoot(root) + "/machine.ini");
    if (!in)
        return false;
    MachineSettings loaded;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::size_t equals = line.find('=');
        if (line.empty() || line[0] == '#' || line[0] == ';' || equals == std::string::npos)
            continue;
        if (!ApplySetting(line.substr(0, equals), line.substr(equals + 1), &loaded))
            return false;
    }
    *settings = loaded;
    return true;
}

bool Machine::SaveSettings(const std::string& root, const MachineSettings& s) {
    std::string path = AbsoluteRoot(root) + "/machine.ini";
    std::string temporary = path + ".new";
    {
        std::ofstream out(temporary, std::ios::trunc);
        char language[16];
        std::snprintf(language, sizeof language, "0x%04X", s.languageId & 0xFFFF);
        out << "family=" << (s.family == PlatformFamily::NT ? "NT" : "9x") << "\n"
            << "language=" << language << "\n"
            << "codepage=" << s.codePage << "\n"
            << "screen=" << s.screenWidth << "x" << s.screenHeight << "\n"
            << "scale=" << s.scale << "\n"
            << "administrator=" << (s.administrator ? 1 : 0) << "\n"
            << "owner=" << OneLine(s.registeredOwner) << "\n"
            << "organization=" << OneLine(s.registeredOrganization) << "\n"
            << "user=" << OneLine(s.userName) << "\n";
        for (const auto& [letter, bytes] : s.freeSpace)
            out << kFreeSpaceKey << letter << "=" << bytes << "\n";
        if (!out.flush())
            return false;
    }
    std::error_code code;
    fs::rename(temporary, path, code);
    return !code;
}

namespace {

std::mutex& ProgramPathLock() {
    static std::mutex lock;
    return lock;
}

std::string& NamedProgramPath() {
    static std::string path;
    return path;
}

} // namespace

void Machine::ConfineWrites(const std::string& hostFolder) {
    WriteConfinement::Confine(hostFolder);
}

void Machine::SetProgramPath(const std::string& hostPath) {
    std::lock_guard<std::mutex> lock(ProgramPathLock());
    NamedProgramPath() = hostPath;
}

std::string Machine::ProgramPath() {
    {
        std::lock_guard<std::mutex> lock(ProgramPathLock());
        if (!NamedProgramPath().empty())
            return NamedProgramPath();
    }
    std::vector<char> buffer(4096);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    return length > 0 ? std::string(buffer.data(), static_cast<std::size_t>(length)) : "";
}

namespace {
std::mutex& HostChangesLock() {
    static std::mutex lock;
    return lock;
}

std::vector<std::string>& HostChangePaths() {
    static std::vector<std::string> paths;
    return paths;
}

std::string Normal(const std::string& hostPath) {
    std::error_code code;
    std::string path = std::filesystem::absolute(hostPath, code).lexically_normal().string();
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}
} // namespace

void Machine::AllowHostChanges(const std::string& hostPath) {
    std::lock_guard<std::mutex> lock(HostChangesLock());
    HostChangePaths().push_back(Normal(hostPath));
}

bool Machine::HostChangesAllowed(const std::string& hostPath) {
    const std::string path = Normal(hostPath);
    std::lock_guard<std::mutex> lock(HostChangesLock());
    for (const std::string& allowed : HostChangePaths())
        if (path == allowed || allowed == "/" ||
            (path.size() > allowed.size() && path.compare(0, allowed.size(), allowed) == 0 &&
             path[allowed.size()] == '/'))
            return true;
    return false;
}
