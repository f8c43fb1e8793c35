// The well-known folders of the emulated machine. The NT family keeps
// per-user folders under "Documents and Settings"; the older family keeps
// them in the Windows folder, as a single-user Windows 98 does.
#include "platform/Machine.h"

namespace MachineFolders {
namespace {

bool IsNT(const MachineSettings& settings) {
    return settings.family == PlatformFamily::NT;
}

// The user name as a folder name: characters Windows forbids in a name
// would otherwise change the folder's place.
std::string UserFolderName(const MachineSettings& settings) {
    std::string name;
    for (char c : settings.userName)
        name += (c == '\\' || c == '/' || c == ':' || c == '*' || c == '?' || c == '"' ||
                 c == '<' || c == '>' || c == '|' || static_cast<unsigned char>(c) < 0x20)
                    ? '_'
                    : c;
    if (name.empty() || name == "." || name == "..")
        name = "User";
    return name;
}

std::string Profile(const MachineSettings& settings) {
    return "C:\\Documents and Settings\\" + UserFolderName(settings);
}

} // namespace

std::string Windows(const MachineSettings&) {
    return "C:\\Windows";
}

std::string System(const MachineSettings& settings) {
    return Windows(settings) + (IsNT(settings) ? "\\System32" : "\\System");
}

std::string ProgramFiles(const MachineSettings&) {
    return "C:\\Program Files";
}

std::string Temp(const MachineSettings& settings) {
    if (IsNT(settings))
        return Profile(settings) + "\\Local Settings\\Temp";
    return Windows(settings) + "\\Temp";
}

std::string StartMenu(const MachineSettings& settings) {
    if (IsNT(settings))
        return Profile(settings) + "\\Start Menu";
    return Windows(settings) + "\\Start Menu";
}

std::string CommonStartMenu(const MachineSettings& settings) {
    if (IsNT(settings))
        return "C:\\Documents and Settings\\All Users\\Start Menu";
    return Windows(settings) + "\\All Users\\Start Menu";
}

std::string Desktop(const MachineSettings& settings) {
    if (IsNT(settings))
        return Profile(settings) + "\\Desktop";
    return Windows(settings) + "\\Desktop";
}

std::string AppData(const MachineSettings& settings) {
    if (IsNT(settings))
        return Profile(settings) + "\\Application Data";
    return Windows(settings) + "\\Application Data";
}

std::string CommonPrograms(const MachineSettings& s) {
    return CommonStartMenu(s) + "\\Programs";
}
std::string CommonStartup(const MachineSettings& s) {
    return CommonPrograms(s) + "\\Startup";
}
std::string UserPrograms(const MachineSettings& s) {
    return StartMenu(s) + "\\Programs";
}
std::string UserStartup(const MachineSettings& s) {
    return UserPrograms(s) + "\\Startup";
}

std::vector<std::string> All(const MachineSettings& s) {
    return {Windows(s),       System(s),      ProgramFiles(s), Temp(s),
            CommonStartup(s), UserStartup(s), Desktop(s),      AppData(s)};
}

std::string Windows() {
    return Windows(Machine::Current().Settings());
}
std::string System() {
    return System(Machine::Current().Settings());
}
std::string ProgramFiles() {
    return ProgramFiles(Machine::Current().Settings());
}
std::string Temp() {
    return Temp(Machine::Current().Settings());
}
std::string CommonPrograms() {
    return CommonPrograms(Machine::Current().Settings());
}
std::string CommonStartup() {
    return CommonStartup(Machine::Current().Settings());
}
std::string UserPrograms() {
    return UserPrograms(Machine::Current().Settings());
}
std::string UserStartup() {
    return UserStartup(Machine::Current().Settings());
}
std::string StartMenu() {
    return StartMenu(Machine::Current().Settings());
}
std::string CommonStartMenu() {
    return CommonStartMenu(Machine::Current().Settings());
}
std::string Desktop() {
    return Desktop(Machine::Current().Settings());
}
std::string AppData() {
    return AppData(Machine::Current().Settings());
}

} // namespace MachineFolders
