// The registry keys: each key path begins with a root name, and the keys end
// with the "[ENDREGBASE]" line, without which the options are lost or read
// from the wrong lines.
#include "tools/kivtool/ConfigCheck.h"

#include "toolkit/KIVAnsiName.h"

namespace {

bool IsRootName(std::string_view root) {
    for (const char* name : {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE",
                             "HKEY_USERS", "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG"})
        if (root == name)
            return true;
    return false;
}

void CheckKeyPath(const RegistryKeyRecord& key, int line, ConfigProblems& problems) {
    const std::string_view path = key.keyPath;
    const std::size_t slash = KIVAnsiName::FirstSeparator(path);
    if (!IsRootName(path.substr(0, slash)))
        problems.Error(line, "the key path " + Quoted(path) +
                                 " does not begin with a root name such as HKEY_LOCAL_MACHINE "
                                 "(exact case)");
    else if (slash == std::string_view::npos || slash + 1 == path.size())
        problems.Error(line, "the key path " + Quoted(path) + " names no key below its root");
}

// Registry value types run from REG_NONE (0) to REG_QWORD (11).
void CheckValues(const RegistryKeyRecord& key, const SetupKeyLines& lines,
                 ConfigProblems& problems) {
    for (std::size_t v = 0; v < key.values.size(); ++v) {
        const RegistryValueRecord& value = key.values[v];
        if (value.type < 0 || value.type > 11)
            problems.Error(lines.valueLines[v], "value " + Quoted(value.name) + " has type " +
                                                    std::to_string(value.type) +
                                                    ", which is no registry value type");
    }
}

void CheckEnd(const SetupDescriptionLines& lines, ConfigProblems& problems) {
    switch (lines.registryEnd) {
    case SetupRegistryEnd::kEndLine:
        return;
    case SetupRegistryEnd::kStrayLine:
        problems.Error(lines.registryEndLine,
                       "this line has no bracketed key path: it ends the registry keys as "
                       "\"[ENDREGBASE]\" would, and the lines after it are read as the options");
        return;
    case SetupRegistryEnd::kFileEnded:
        problems.Error(0, "the file ends before the \"[ENDREGBASE]\" line: the last key is "
                          "dropped and no option is read");
        return;
    case SetupRegistryEnd::kNotRead:
        problems.Error(0, "the file ends before the registry keys: no key and no option is read");
        return;
    }
}

} // namespace

void CheckRegistryKeys(const SetupDescription& d, ConfigProblems& problems) {
    for (std::size_t i = 0; i < d.registryKeys.size(); ++i) {
        const SetupKeyLines& lines = d.sourceLines.registryKeys[i];
        CheckKeyPath(d.registryKeys[i], lines.keyLine, problems);
        CheckValues(d.registryKeys[i], lines, problems);
    }
    CheckEnd(d.sourceLines, problems);
}
