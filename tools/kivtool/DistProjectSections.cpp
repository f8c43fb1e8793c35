// The sections of a project file that stand on their own: the product's
// names, the medium, licences, images, folders, uninstall paths, registry
// keys and options.
#include "tools/kivtool/DistOptionTable.h"
#include "tools/kivtool/DistProject.h"

#include <cstdlib>
#include <set>

namespace {
// "unknown key 'x' in [folder]; the keys are: a, b, c".
void Unknown(DistReader& r, const DistIniKey& key, const std::string& kind,
             const std::vector<const char*>& known) {
    std::string list;
    for (const char* name : known)
        list += (list.empty() ? "" : ", ") + std::string(name);
    r.Error(key.line, "unknown key '" + key.key + "' in [" + kind + "]; the keys are: " + list);
}

// Whether key is one of known; reports an unknown key and a key given twice.
bool KnownKey(DistReader& r, const DistIniSection& section, const DistIniKey& key,
              const std::vector<const char*>& known) {
    bool found = false;
    for (const char* name : known)
        found = found || key.key == name;
    if (!found) {
        Unknown(r, key, section.kind, known);
        return false;
    }
    for (const DistIniKey& other : section.keys) {
        if (&other == &key)
            break;
        if (other.key == key.key) {
            r.Error(key.line, "'" + key.key + "' is given twice in this section");
            return false;
        }
    }
    return true;
}

// "1024", "64k", "1440k", "650M", "2G" (1024-based).
bool ParseSize(const std::string& text, std::uint64_t* size) {
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    if (text.empty() || end == text.c_str() || text[0] == '-')
        return false;
    const std::string unit = end;
    const int shift = unit.empty()                 ? 0
                      : unit == "k" || unit == "K" ? 10
                      : unit == "M"                ? 20
                      : unit == "G"                ? 30
                                                   : -1;
    if (shift < 0 || value > (1ull << 31) >> shift)
        return false;
    *size = value << shift;
    return true;
}

bool ParseNumber(const std::string& text, long min, long max, long* number) {
    char* end = nullptr;
    *number = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && *number >= min && *number <= max;
}

void ReadLanguages(DistReader& r, const DistIniKey& key) {
    r.project.languagesLine = key.line;
    for (const std::string& name : DistList(key.value)) {
        int bit = -1;
        for (int i = 0; i < 4; ++i)
            if (name == kDistLanguages[i].name)
                bit = i;
        if (bit < 0)
            r.Error(key.line, "unknown language '" + name +
                                  "'; the languages are English, French, German, Japanese");
        else
            r.project.languages |= 1 << bit;
    }
    if (r.project.languages == 0)
        r.Error(key.line, "no language");
}
} // namespace

bool DistReader::Flag(const DistIniKey& key, bool* flag) {
    if (key.value == "yes" || key.value == "no") {
        *flag = key.value == "yes";
        return true;
    }
    Error(key.line, "'" + key.key + "' takes yes or no, not '" + key.value + "'");
    return false;
}

void ReadProductSection(DistReader& r, const DistIniSection& section) {
    static const std::vector<const char*> known = {"company", "app-name", "long-name", "exe-name",
                                                   "version", "url",      "mail",      "copyright"};
    for (const DistIniKey& key : section.keys)
        if (KnownKey(r, section, key, known))
            r.project.product[key.key] = {key.line, key.value};
}

void ReadMediumSection(DistReader& r, const DistIniSection& section) {
    static const std::vector<const char*> known = {"languages",        "volume-size",   "code-page",
                                                   "compression",      "setup-program", "resources",
                                                   "unspellable-names"};
    DistProject& p = r.project;
    for (const DistIniKey& key : section.keys) {
        long number = 0;
        if (!KnownKey(r, section, key, known))
            continue;
        if (key.key == "languages") {
            ReadLanguages(r, key);
        } else if (key.key == "volume-size") {
            p.volumeSizeLine = key.line;
            if (!ParseSize(key.value, &p.volumeSize))
                r.Error(key.line, "volume-size takes bytes up to 2G, with k, M or G after them");
        } else if (key.key == "code-page") {
            if (key.value != "1252" && key.value != "932")
                r.Error(key.line, "code-page takes 1252 or 932");
            p.codePage = key.value == "932" ? 932 : 1252;
        } else if (key.key == "unspellable-names") {
            if (key.value != "error" && key.value != "warning")
                r.Error(key.line, "unspellable-names takes error or warning");
            p.unspellableNames = key.value;
        } else if (key.key == "compression") {
            if (!ParseNumber(key.value, 0, 9, &number))
                r.Error(key.line, "compression takes a zlib level from 0 to 9");
            p.level = static_cast<int>(number);
        } else if (key.key == "setup-program") {
            p.setupProgram = {key.line, r.Path(key.value).string()};
        } else {
            p.resources = {key.line, r.Path(key.value).string()};
        }
    }
}

void ReadLicenceSection(DistReader& r, const DistIniSection& section) {
    static const std::vector<const char*> known = {"file", "English", "French", "German",
                                                   "Japanese"};
    for (const DistIniKey& key : section.keys) {
        if (!KnownKey(r, section, key, known))
            continue;
        if (key.key == "file")
            r.project.licenceName = key.value;
        else
            r.project.licences[key.key] = {key.line, r.Path(key.value).string()};
    }
}

void ReadImagesSection(DistReader& r, const DistIniSection& section) {
    static const std::vector<const char*> known = {"side-image", "product-logo", "maker-logo"};
    for (const DistIniKey& key : section.keys) {
        if (!KnownKey(r, section, key, known))
            continue;
        DistImage& image = key.key == "side-image"     ? r.project.sideImage
                           : key.key == "product-logo" ? r.project.productLogo
                                                       : r.project.makerLogo;
        image = {key.line, r.Path(key.value)};
    }
}

void ReadFolderSection(DistReader& r, const DistIniSection& section) {
    static const std::vector<const char*> known = {"source", "target", "mode",         "volume",
                                                   "system", "run",    "medium-folder"};
    DistFolder folder;
    folder.line = section.line;
    folder.name = section.name;
    folder.mediumFolder = section.name;
    for (const DistIniKey& key : section.keys) {
        long number = 0;
        if (!KnownKey(r, section, key, known))
            continue;
        if (key.key == "source") {
            folder.source = r.Path(key.value);
            folder.sourceLine = key.line;
        } else if (key.key == "target") {
            folder.target = key.value;
        } else if (key.key == "mode") {
            if (key.value != "packed" && key.value != "copied")
                r.Error(key.line, "mode takes packed or copied");
            folder.packed = key.value != "copied";
        } else if (key.key == "volume") {
            if (!ParseNumber(key.value, 1, 9, &number))
                r.Error(key.line, "volume takes 1 (archive.zkiv) to 9 (archive8.zkiv)");
            folder.volume = static_cast<int>(number);
            folder.volumeLine = key.line;
        } else if (key.key == "system") {
            r.Flag(key, &folder.system);
        } else if (key.key == "run") {
            r.Flag(key, &folder.run);
        } else {
            folder.mediumFolder = key.value;
        }
    }
    r.project.folders.push_back(std::move(folder));
}

void ReadUninstallSection(DistReader& r, const DistIniSection& section) {
    for (const DistIniKey& key : section.keys) {
        if (key.key == "path")
            r.project.uninstallPaths.push_back({key.line, key.value});
        else
            Unknown(r, key, section.kind, {"path (one key per path)"});
    }
}

void ReadRegistrySection(DistReader& r, const DistIniSection& section) {
    DistRegistryKey registryKey;
    registryKey.line = section.line;
    registryKey.path = section.name;
    for (const DistIniKey& key : section.keys) {
        if (key.key.rfind("value ", 0) == 0) {
            const std::string type = key.value.substr(0, key.value.find(' '));
            const std::size_t blank = key.value.find(' ');
            const std::string data = blank == std::string::npos ? "" : key.value.substr(blank + 1);
            long number = 0;
            if (type != "text" && type != "dword")
                r.Error(key.line, "a value is \"value NAME = text TEXT\" or "
                                  "\"value NAME = dword NUMBER\"");
            else if (type == "dword" && !ParseNumber(data, INT32_MIN, INT32_MAX, &number))
                r.Error(key.line, "'" + data + "' is not a 32-bit number");
            registryKey.values.push_back({key.line, key.key.substr(6), type == "text", data});
        } else if (KnownKey(r, section, key, {"winreg", "uninstall", "value NAME"})) {
            r.Flag(key, key.key == "winreg" ? &registryKey.winreg : &registryKey.uninstall);
        }
    }
    r.project.registry.push_back(std::move(registryKey));
}

void ReadOptionsSection(DistReader& r, const DistIniSection& section) {
    std::vector<const char*> known;
    for (const DistOptionInfo& option : kDistOptions)
        if (option.key)
            known.push_back(option.key);
    for (const DistIniKey& key : section.keys) {
        if (!KnownKey(r, section, key, known))
            continue;
        const DistOptionInfo* option = FindDistOption(key.key.c_str());
        bool flag = false;
        if (option->flag && !r.Flag(key, &flag))
            continue;
        r.project.options[option->position] = option->flag ? (flag ? "1" : "0") : key.value;
        r.project.optionLines[option->position] = key.line;
    }
}
