#include "tools/kivtool/DistInit.h"

#include <algorithm>
#include <vector>

namespace fs = std::filesystem;

namespace {
struct Tree {
    std::vector<std::string> files;          // top-level plain files
    std::vector<std::string> folders;        // top-level folders
    std::vector<std::vector<fs::path>> subs; // per top-level folder: it and every folder below
};

bool ReadTree(const fs::path& product, Tree* tree, std::string* error) {
    std::error_code code;
    for (fs::directory_iterator it(product, code), end; !code && it != end; it.increment(code)) {
        if (it->is_regular_file())
            tree->files.push_back(it->path().filename().string());
        else if (it->is_directory())
            tree->folders.push_back(it->path().filename().string());
    }
    std::sort(tree->files.begin(), tree->files.end());
    std::sort(tree->folders.begin(), tree->folders.end());
    for (const std::string& folder : tree->folders) {
        std::vector<fs::path> subs = {folder};
        for (fs::recursive_directory_iterator it(product / folder, code), end; !code && it != end;
             it.increment(code))
            if (it->is_directory())
                subs.push_back(fs::relative(it->path(), product));
        std::sort(subs.begin() + 1, subs.end());
        tree->subs.push_back(std::move(subs));
    }
    if (code)
        *error = "cannot read " + product.string() + ": " + code.message();
    return !code;
}

std::string ExeName(const Tree& tree) {
    for (const std::string& file : tree.files)
        if (fs::path(file).extension() == ".exe" || fs::path(file).extension() == ".EXE")
            return file;
    return "";
}

std::string Header(const std::string& app, const std::string& exe) {
    const std::string stem = exe.empty() ? app : fs::path(exe).stem().string();
    return "# Distribution project of " + app +
           ", written by kivtool dist init.\n"
           "# Edit the names, then make the medium with:\n"
           "#   kivtool dist build THIS_FILE OUT_DIR\n"
           "# Paths are relative to this file's folder.\n\n"
           "[product]\n"
           "company = " +
           app +
           " maker        # EDIT: your company\n"
           "app-name = " +
           app +
           "             # names the installation folder and program group\n"
           "long-name = " +
           app +
           "\n"
           "exe-name = " +
           stem + (exe.empty() ? "             # EDIT: no .exe found at the top" : "") +
           "\n"
           "version = 1.0\n"
           "url =\n"
           "mail =\n"
           "copyright =\n\n"
           "[medium]\n"
           "languages = English, French, German, Japanese\n"
           "volume-size = 0                # bytes per volume (k, M, G); 0: one archive\n"
           "# setup-program = Setup.exe    # copied onto the medium as Setup.exe\n\n"
           "# The licence page is off; to show it, give one file per language:\n"
           "# [licence]\n"
           "# English = licence/English.txt\n\n";
}

std::string Folder(const std::string& name, const fs::path& source, const fs::path& target) {
    std::string text = "[folder " + name + "]\nsource = " + source.generic_string() + "\n";
    std::string inside = target.generic_string();
    std::replace(inside.begin(), inside.end(), '/', '\\');
    return text + (inside.empty() ? "" : "target = " + inside + "\n") + "\n";
}

std::string Join(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ", ") + name;
    return list;
}

std::string Options(bool exe) {
    return "[options]\n"
           "licence-page = no\n"
           "full-screen = yes\n"
           "program-group = " +
           std::string(exe ? "yes" : "no") +
           "\n"
           "start-product = " +
           std::string(exe ? "yes" : "no") +
           "\n"
           "startup-link = no\n";
}
} // namespace

bool WriteDistInit(const fs::path& product, const fs::path& base, std::string* text,
                   std::string* error) {
    Tree tree;
    if (!ReadTree(product, &tree, error))
        return false;
    const fs::path absolute = fs::absolute(product).lexically_normal();
    const std::string app = absolute.has_filename() ? absolute.filename().string()
                                                    : absolute.parent_path().filename().string();
    const std::string exe = ExeName(tree);
    const fs::path from = fs::proximate(absolute, fs::absolute(base));
    *text = Header(app, exe);
    std::vector<std::string> components, all;
    if (!tree.files.empty()) {
        *text += "# The files at the top of the product folder: the program.\n" +
                 Folder("Program", from, "") + "[component Program]\nfolders = Program\n\n";
        components.push_back("Program");
    }
    for (std::size_t i = 0; i < tree.folders.size(); ++i) {
        std::vector<std::string> names;
        for (const fs::path& sub : tree.subs[i]) {
            names.push_back(sub.generic_string());
            *text += Folder(sub.generic_string(), from / sub, sub);
        }
        *text += "[component " + tree.folders[i] + "]\nfolders = " + Join(names) + "\n\n";
        components.push_back(tree.folders[i]);
    }
    *text += "# Typical and Custom install everything, Compact the program alone.\n"
             "[setup-types]\nTypical = " +
             Join(components) + "\nCompact = " + (components.empty() ? "" : components.front()) +
             "\nCustom = " + Join(components) + "\n\n";
    if (!exe.empty())
        *text += "[shortcut " + fs::path(exe).stem().string() + "]\ntarget = " + exe +
                 "\nfolder = Program\n\n";
    *text += Options(!exe.empty());
    return true;
}
