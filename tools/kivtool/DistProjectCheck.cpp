// What a project must hold as a whole, once every section is read: names
// the setup can take, folders and files that exist, nothing given twice,
// nothing left out that the setup needs.
#include "tools/kivtool/DistProject.h"

#include <set>

namespace fs = std::filesystem;

namespace {
// A text of the setup description: at most 259 bytes, no double quote (the
// description cannot hold one), no control character.
void CheckText(DistReader& r, int line, const std::string& what, const std::string& text) {
    bool control = false;
    for (unsigned char c : text)
        control = control || c < 32;
    if (text.size() > 259)
        r.Error(line, what + " is longer than 259 bytes");
    else if (control || text.find('"') != std::string::npos)
        r.Error(line, what + " holds a double quote or a control character");
}

bool IsName(const std::string& text) {
    return !text.empty() && text.find_first_of("/\\:*?\"<>|") == std::string::npos && text != "." &&
           text != "..";
}

void CheckProduct(DistReader& r, int lastLine) {
    DistProject& p = r.project;
    if (p.product["app-name"].value.empty())
        r.Error(lastLine, "[product] needs app-name = NAME");
    for (const char* key : {"long-name", "exe-name"})
        if (p.product[key].value.empty())
            p.product[key].value = p.product["app-name"].value;
    for (const auto& [key, text] : p.product)
        CheckText(r, text.line, key, text.value);
    if (!p.product["app-name"].value.empty() && !IsName(p.product["app-name"].value))
        r.Error(p.product["app-name"].line, "app-name names a folder: no / \\ : * ? \" < > |");
}

void CheckFolder(DistReader& r, const DistFolder& folder, std::set<std::string>* names,
                 std::set<std::string>* copied) {
    std::error_code code;
    CheckText(r, folder.line, "the folder's name", folder.name);
    if (!names->insert(folder.name).second)
        r.Error(folder.line, "a second folder named '" + folder.name + "'");
    if (folder.sourceLine == 0)
        r.Error(folder.line, "the folder needs source = PATH");
    else if (!fs::is_directory(folder.source, code))
        r.Error(folder.sourceLine, "no folder " + folder.source.string());
    CheckText(r, folder.line, "target", folder.target);
    if (folder.target.find_first_of(":*?\"<>|") != std::string::npos)
        r.Error(folder.line, "target holds a character no folder name can hold");
    if (folder.packed)
        return;
    if (folder.volume)
        r.Error(folder.volumeLine, "a copied folder lies on the medium, in no volume");
    if (!IsName(folder.mediumFolder) || folder.mediumFolder == "Setup files")
        r.Error(folder.line, "'" + folder.mediumFolder + "' cannot name a folder of the medium");
    else if (!copied->insert(folder.mediumFolder).second)
        r.Error(folder.line, "a second copied folder named '" + folder.mediumFolder + "'");
}

void CheckFolders(DistReader& r) {
    std::set<std::string> names, copied;
    std::set<int> used;
    for (const DistComponent& component : r.project.components)
        used.insert(component.folders.begin(), component.folders.end());
    for (std::size_t i = 0; i < r.project.folders.size(); ++i) {
        const DistFolder& folder = r.project.folders[i];
        CheckFolder(r, folder, &names, &copied);
        if (!used.count(static_cast<int>(i)))
            r.Error(folder.line, "folder '" + folder.name + "' belongs to no component");
    }
    if (r.project.folders.empty())
        r.Error(0, "the project names no [folder NAME]");
}

void CheckShortcuts(DistReader& r) {
    std::set<int> used;
    for (const DistComponent& component : r.project.components)
        used.insert(component.folders.begin(), component.folders.end());
    for (const DistShortcut& shortcut : r.project.shortcuts) {
        CheckText(r, shortcut.line, "the shortcut's name", shortcut.name);
        if (shortcut.folder < 0 || shortcut.target.empty())
            continue;
        const DistFolder& folder = r.project.folders[shortcut.folder];
        std::error_code code;
        if (!fs::is_regular_file(folder.source / shortcut.target, code))
            r.Error(shortcut.line, "the shortcut leads to nothing: folder '" + folder.name +
                                       "' holds no file " + shortcut.target);
        else if (!used.count(shortcut.folder))
            r.Error(shortcut.line, "the shortcut's folder belongs to no component");
    }
}

void CheckFile(DistReader& r, int line, const fs::path& path, const std::string& what) {
    std::error_code code;
    if (!fs::is_regular_file(path, code))
        r.Error(line, "no " + what + " " + path.string());
}

void CheckFiles(DistReader& r) {
    DistProject& p = r.project;
    if (p.options[22] != "0")
        for (int bit = 0; bit < 4; ++bit) {
            if (!(p.languages & 1 << bit))
                continue;
            const auto licence = p.licences.find(kDistLanguages[bit].name);
            if (licence == p.licences.end())
                r.Error(p.languagesLine, std::string("the licence page is on, but [licence] "
                                                     "names no file for ") +
                                             kDistLanguages[bit].name);
            else
                CheckFile(r, licence->second.line, licence->second.value, "licence file");
        }
    if (!IsName(p.licenceName))
        r.Error(0, "[licence] file must be a file name");
    for (const DistImage* image : {&p.sideImage, &p.productLogo, &p.makerLogo})
        if (image->line)
            CheckFile(r, image->line, image->base.string() + "_rgb.jpg", "picture");
    if (p.setupProgram.line)
        CheckFile(r, p.setupProgram.line, p.setupProgram.value, "setup program");
}

void CheckRegistry(DistReader& r) {
    static const char* const roots[] = {"HKEY_CLASSES_ROOT\\", "HKEY_CURRENT_USER\\",
                                        "HKEY_LOCAL_MACHINE\\", "HKEY_USERS\\",
                                        "HKEY_CURRENT_CONFIG\\"};
    for (const DistRegistryKey& key : r.project.registry) {
        bool rooted = false;
        for (const char* root : roots)
            rooted = rooted || key.path.rfind(root, 0) == 0;
        if (!rooted || key.path.find(']') != std::string::npos)
            r.Error(key.line, "a key path is ROOT\\SUBKEY with ROOT one of HKEY_CLASSES_ROOT, "
                              "HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS, "
                              "HKEY_CURRENT_CONFIG (and no ']')");
        CheckText(r, key.line, "the key path", key.path);
        for (const DistRegistryValue& value : key.values) {
            CheckText(r, value.line, "the value's name", value.name);
            CheckText(r, value.line, "the value", value.value);
            if (value.name.empty() || value.name[0] == '[')
                r.Error(value.line, "a value's name is empty or begins with '['");
        }
    }
}
} // namespace

void CheckDistProject(DistReader& r, int lastLine) {
    CheckProduct(r, lastLine);
    CheckFolders(r);
    CheckShortcuts(r);
    CheckFiles(r);
    CheckRegistry(r);
    for (const DistText& path : r.project.uninstallPaths)
        CheckText(r, path.line, "the path", path.value);
    for (int option = 1; option <= 28; ++option)
        CheckText(r, r.project.optionLines[option], "the option", r.project.options[option]);
    if (r.project.setupTypeLines[0] == 0)
        r.Error(lastLine, "[setup-types] needs Typical = COMPONENT, ...");
}
