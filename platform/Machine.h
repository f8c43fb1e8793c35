// The emulated Windows machine: a folder on the host (the machine root) that
// holds the drive C tree, the system registry and the machine settings.
#pragma once

#include <map>
#include <string>
#include <vector>

enum class PlatformFamily { NT, Win9x };

// The machine settings, kept in "<root>/machine.ini" as "key=value" lines.
struct MachineSettings {
    PlatformFamily family = PlatformFamily::NT;
    unsigned languageId = 0x0409; // user default language identifier
    unsigned codePage = 1252;     // ANSI code page: 1252 or 932
    int screenWidth = 1024;
    int screenHeight = 768;
    // Whole-pixel enlargement of every window on a screen display; 0 leaves
    // the choice to the display (2 on a high-density screen, else 1).
    int scale = 0;
    bool administrator = true;
    std::string registeredOwner = "User";
    std::string registeredOrganization = "";
    std::string userName = "User"; // names the per-user folders
    // Free bytes a drive states at most ("freeSpace.C=52428800"), by its
    // upper-case letter: a machine short of room without filling the host.
    std::map<char, unsigned long long> freeSpace;
};

class Machine {
public:
    // The machine root: $KIV_MACHINE, or ~/.kiv/machine when unset.
    static std::string DefaultRoot();

    // Creates a fresh machine at root (the folder tree and the settings file;
    // the registry code seeds the registry on first use). Existing content is
    // kept; settings are rewritten.
    // Returns false with a message in *error when the tree cannot be made.
    static bool Create(const std::string& root, const MachineSettings& settings,
                       std::string* error);

    // The machine in use by this process. The first call opens DefaultRoot(),
    // creating it when it does not exist yet.
    static Machine& Current();

    // Makes the machine at root current for this process (tests and tools).
    // Returns false when root holds no machine settings file.
    static bool Use(const std::string& root);

    // Counts the changes of the current machine (each Use). Parts of the layer
    // that cache per-machine state (code-page converters, the registry
    // connection) compare it to know when to start afresh.
    static unsigned Generation();

    const std::string& Root() const { return root_; }
    const MachineSettings& Settings() const { return settings_; }
    std::string RegistryPath() const { return root_ + "/registry.db"; }
    std::string SettingsPath() const { return root_ + "/machine.ini"; }

    // Loads the settings of the machine at root; false when missing or unreadable.
    static bool LoadSettings(const std::string& root, MachineSettings* settings);
    static bool SaveSettings(const std::string& root, const MachineSettings& settings);

    // The host path of the program this process runs as (what
    // GetModuleFileName reports for no module): the process's own executable,
    // unless a tool or a test that runs a program's code in its own process
    // has named that program's file. An empty path goes back to the
    // executable.
    static void SetProgramPath(const std::string& hostPath);
    static std::string ProgramPath();

    // The host outside the machine's drives (Z:) is read-only to the
    // machine's programs: every call that would create, write, truncate,
    // delete, rename or make a folder there fails with ERROR_ACCESS_DENIED.
    // A tool or the setup opens it for one path a person named explicitly
    // (an output folder, a log or response file on the command line): a
    // folder with everything beneath it, or one file. Not on Windows, whose
    // drives are all the machine's own.
    static void AllowHostChanges(const std::string& hostPath);
    // True when hostPath is, or lies beneath, a path given to AllowHostChanges.
    static bool HostChangesAllowed(const std::string& hostPath);

    // Confines this process's writes beneath an absolute host folder (a
    // tool's output folder) to that folder: a file or folder beneath it is
    // made, written or deleted only when its folder lies inside, whatever
    // links the folder holds; a write that would leave it fails with
    // ERROR_ACCESS_DENIED. An empty path ends the confinement.
    static void ConfineWrites(const std::string& hostFolder);

private:
    std::string root_;
    MachineSettings settings_;
};

// Well-known folders of a machine, as Windows paths.
namespace MachineFolders {
std::string Windows();      // C:\Windows
std::string System();       // C:\Windows\System32, or C:\Windows\System on the older family
std::string ProgramFiles(); // C:\Program Files
std::string Temp();         // per-user temporary folder, no trailing backslash
std::string CommonPrograms();
std::string CommonStartup();
std::string UserPrograms();
std::string UserStartup();
std::string StartMenu();       // per-user Start Menu
std::string CommonStartMenu(); // all-users Start Menu
std::string Desktop();         // per-user desktop
std::string AppData();         // per-user application data

// The same folders for a machine with the given settings (used while the
// machine is being made, before it is current).
std::string Windows(const MachineSettings& settings);
std::string System(const MachineSettings& settings);
std::string ProgramFiles(const MachineSettings& settings);
std::string Temp(const MachineSettings& settings);
std::string CommonPrograms(const MachineSettings& settings);
std::string CommonStartup(const MachineSettings& settings);
std::string UserPrograms(const MachineSettings& settings);
std::string UserStartup(const MachineSettings& settings);
std::string StartMenu(const MachineSettings& settings);
std::string CommonStartMenu(const MachineSettings& settings);
std::string Desktop(const MachineSettings& settings);
std::string AppData(const MachineSettings& settings);
// Every well-known folder, as made by Machine::Create.
std::vector<std::string> All(const MachineSettings& settings);
} // namespace MachineFolders
