// Where one product's uninstallation may remove anything: what lies where
// the product's setup could have put it. A record, journal or values file is
// read from a folder anyone may write to, so no line of it is trusted to
// name a place: each path is held against this scope before it is touched.
//
// The scope of an installation folder holds
//   - the installation folder and everything beneath it;
//   - the setup's staging folder ("<temporary folder>TemporaryFiles") and
//     everything beneath it;
//   - the product's program groups (in the Programs folders of all users
//     and of the user, the folder named after the product): their folders,
//     and the shell links in them whose target lies in the installation
//     folder;
//   - of the Startup folders, a shell link directly in one of them whose
//     target lies in the installation folder (the start-up shortcut);
//   - the folders that hold those above (but a drive's root folder), which
//     a setup makes on the way and an uninstallation removes only empty;
// and, under the shared-count rule alone, the files directly in the system
// folder.
#pragma once

#include <string>
#include <vector>

class UninstallScope {
public:
    UninstallScope(const std::string& installFolder, const std::string& applicationName);

    // Empty when the file (or, with folder, the folder) at path (ANSI) lies
    // in the scope; otherwise, in plain words, why it is refused. A link file
    // that is already gone, or holds no link (one cut short by a killed
    // setup), is in the scope where such a link would be.
    std::string Refusal(const std::string& path, bool folder = false) const;
    // The same for a file counted in the system folder: it must lie directly
    // in the system folder.
    std::string SystemFileRefusal(const std::string& path) const;

    // Whether path is an absolute path with a drive, with backslashes only
    // and without "." or ".." components: the only form the scope compares.
    static bool IsPlainPath(const std::string& path);

private:
    bool HoldsAny(const std::string& folder) const;
    bool IsLinkToProduct(const std::string& path) const;
    bool IsStartupShortcut(const std::string& path) const;

    std::string installFolder_;
    std::vector<std::string> areas_;          // folders whose whole content is in the scope
    std::vector<std::string> groups_;         // folders whose links to the product are
    std::vector<std::string> startupFolders_; // folders whose links to the product are
    std::string systemFolder_;
};
