// Writes the ten sections of the setup description in their order.
#include "tools/kivtool/DistConfig.h"
#include "tools/kivtool/DistOptionTable.h"

#include "platform/Windows.h"

namespace {
// Whether c separates fields: bytes up to 32, from 128, and , | ( ) =.
bool Separator(unsigned char c) {
    return c <= 32 || c >= 128 || c == ',' || c == '|' || c == '(' || c == ')' || c == '=';
}

std::string Number(std::int64_t value) {
    return std::to_string(value);
}

std::string Text(const DistProject& p, const char* key) {
    const auto found = p.product.find(key);
    return found == p.product.end() ? "" : found->second.value;
}

int Line(const DistProject& p, const char* key) {
    const auto found = p.product.find(key);
    return found == p.product.end() ? 0 : found->second.line;
}

void WriteHeader(const DistProject& p, std::size_t entries, int volumes, DistConfigText& c) {
    c.AddRaw(0, "// Setup description written by kivtool dist build from " +
                    std::filesystem::path(p.path).filename().string());
    c.Add(0, {"Version", "1.10"});
    const char* const texts[][2] = {
        {"Company", "company"}, {"Copyright", "copyright"}, {"Url", "url"}, {"Mail", "mail"}};
    for (const auto& [label, key] : texts)
        c.Add(Line(p, key), {label, Text(p, key)});
    c.Add(0, {"Agreement", p.licenceName});
    const char* const names[][2] = {{"AppName", "app-name"},
                                    {"LongAppName", "long-name"},
                                    {"ExeName", "exe-name"},
                                    {"VersionText", "version"}};
    for (const auto& [label, key] : names)
        c.Add(Line(p, key), {label, Text(p, key)});
    c.Add(0, {"Text11", "-"});
    c.Add(0, {"Text12", "-"});
    c.Add(p.languagesLine, {"Languages", Number(p.languages)});
    c.Add(0, {"Unused", "0"});
    c.Add(0, {"MultiVolume", volumes > 1 ? "1" : "0"});
    c.Add(0, {"Number", "0"});
    c.Add(0, {"Entries", Number(static_cast<std::int64_t>(entries))});
    c.Add(0, {"predecomp", "1"});
}

void WriteEntries(const std::vector<DistEntry>& entries, DistConfigText& c) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const DistEntry& e = entries[i];
        c.Add(e.line,
              {"Entry", Number(static_cast<std::int64_t>(i)), e.name, "", e.target, "",
               e.packed ? "TRUE" : "copy", "platformPC", e.source, "0", e.system ? "1" : "0",
               Number(e.offset), Number(e.volume), Number(static_cast<std::int64_t>(e.size)), "0",
               "0", e.run ? "1" : "0", "0"});
        c.AddRaw(e.line, "-");
    }
}

void AddComponent(int line, const std::string& name, std::int32_t languages,
                  const std::vector<int>& entries, DistConfigText& c) {
    std::vector<std::string> fields = {"Component",
                                       name,
                                       "x",
                                       Number(languages),
                                       Number(static_cast<std::int64_t>(entries.size())),
                                       "{"};
    for (int entry : entries)
        fields.push_back(Number(entry));
    fields.push_back("}");
    c.Add(line, fields);
}

// The project's components, then one setup-image component per picture entry.
void WriteComponents(const DistProject& p, const std::vector<DistEntry>& entries,
                     DistConfigText& c) {
    const std::size_t pictures = entries.size() - p.folders.size();
    c.Add(0, {"Components", Number(static_cast<std::int64_t>(p.components.size() + pictures))});
    for (const DistComponent& component : p.components)
        AddComponent(component.line, component.name, component.languages, component.folders, c);
    for (std::size_t i = p.folders.size(); i < entries.size(); ++i)
        AddComponent(entries[i].line, "BillBo" + entries[i].name, p.languages,
                     {static_cast<int>(i)}, c);
}

void WriteSetupTypes(const DistProject& p, DistConfigText& c) {
    int count = 0;
    for (int type = 0; type < 3; ++type)
        count += p.setupTypeLines[type] ? 1 : 0;
    c.Add(0, {"SetupTypes", Number(count)});
    for (int type = 0; type < 3; ++type) {
        if (!p.setupTypeLines[type])
            continue;
        std::vector<std::string> fields = {
            "Type", kDistSetupTypes[type], "x",
            Number(static_cast<std::int64_t>(p.setupTypes[type].size())), "{"};
        for (int component : p.setupTypes[type])
            fields.push_back(Number(component));
        fields.push_back("}");
        c.Add(p.setupTypeLines[type], fields);
    }
}

void WriteLists(const DistProject& p, int volumes, DistConfigText& c) {
    c.Add(0, {"Shortcuts", Number(static_cast<std::int64_t>(p.shortcuts.size()))});
    for (const DistShortcut& s : p.shortcuts)
        c.Add(s.line, {"Shortcut", s.target, s.name, Number(s.folder)});
    c.Add(0, {"Uninstall", Number(static_cast<std::int64_t>(p.uninstallPaths.size()))});
    for (const DistText& path : p.uninstallPaths)
        c.Add(path.line, {"Path", "x", path.value});
    c.Add(0, {"Unused", "0"});
    c.Add(0, {"Volumes", Number(volumes)});
    for (int volume = 0; volume < volumes; ++volume)
        c.Add(0, {"Volume", "x", "0", volume ? "archive" + Number(volume) : "archive"});
}

void WriteRegistry(const DistProject& p, DistConfigText& c) {
    c.AddRaw(0, "Registry begin");
    for (const DistRegistryKey& key : p.registry) {
        std::string line = "[" + key.path + "]";
        line += key.winreg ? " WINREG" : "";
        line += key.uninstall ? "" : " DONTUNINSTALL";
        c.AddRaw(key.line, line);
        for (const DistRegistryValue& value : key.values)
            c.Add(value.line, {value.name, value.text ? "1" : "4", value.value});
    }
    c.AddRaw(0, "[ENDREGBASE]");
}

void WriteOptions(const DistProject& p, DistConfigText& c) {
    c.Add(0, {"Options", "x", "28"});
    for (const DistOptionInfo& option : kDistOptions) {
        const std::string label = option.key ? option.key : "unused" + Number(option.position);
        c.Add(p.optionLines[option.position], {label, p.options[option.position]});
    }
}

// The UTF-8 text in the machine's ANSI code page; false when it cannot be.
bool ToAnsi(const std::string& utf8, std::string* ansi) {
    std::u16string wide(utf8.size() + 1, u'\0');
    const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.c_str(), -1,
                                          wide.data(), static_cast<int>(wide.size()));
    std::string narrow(utf8.size() * 2 + 2, '\0');
    BOOL lossy = FALSE;
    const int bytes = units > 0
                          ? WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, narrow.data(),
                                                static_cast<int>(narrow.size()), nullptr, &lossy)
                          : 0;
    if (bytes <= 0 || lossy)
        return false;
    *ansi = narrow.substr(0, static_cast<std::size_t>(bytes) - 1);
    return true;
}
} // namespace

std::string DistField(const std::string& text) {
    bool quote = text.empty() || text.rfind("//", 0) == 0;
    for (unsigned char c : text)
        quote = quote || Separator(c);
    return quote ? "\"" + text + "\"" : text;
}

void DistConfigText::Add(int projectLine, const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& field : fields)
        line += (line.empty() ? "" : " ") + DistField(field);
    AddRaw(projectLine, line);
}

void DistConfigText::AddRaw(int projectLine, const std::string& line) {
    text += line + "\r\n";
    lines.push_back(projectLine);
}

bool WriteDistConfig(const DistProject& project, const std::vector<DistEntry>& entries, int volumes,
                     DistConfigText* config, DistError* error) {
    DistConfigText utf8;
    WriteHeader(project, entries.size(), volumes, utf8);
    WriteEntries(entries, utf8);
    WriteComponents(project, entries, utf8);
    WriteSetupTypes(project, utf8);
    WriteLists(project, volumes, utf8);
    WriteRegistry(project, utf8);
    WriteOptions(project, utf8);
    std::size_t start = 0;
    for (int line : utf8.lines) {
        const std::size_t end = utf8.text.find("\r\n", start);
        std::string ansi;
        if (!ToAnsi(utf8.text.substr(start, end - start), &ansi)) {
            *error = {line,
                      "a text here cannot be written in code page " + std::to_string(GetACP())};
            return false;
        }
        config->AddRaw(line, ansi);
        start = end + 2;
    }
    return true;
}
