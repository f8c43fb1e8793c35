#include "engine/UnspelledFile.h"

#include "platform/Windows.h"
#include "toolkit/KIVAnsiName.h"

#include <cstring>

namespace {

// The wide form of ANSI text, as the machine converts it.
std::u16string WideOf(const std::string& ansi) {
    std::u16string wide(ansi.size() + 1, u'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide.data(),
                                           static_cast<int>(wide.size()));
    wide.resize(length > 0 ? static_cast<std::size_t>(length - 1) : 0);
    return wide;
}

// A wide name as the lossy conversion wrote it: "?" for each character
// the code page lacks.
std::string AnsiOf(const char16_t* wide) {
    char ansi[MAX_PATH * 2] = {};
    if (WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, sizeof ansi, "?", nullptr) <= 0)
        return std::string();
    return ansi;
}

bool IsDotEntry(const char16_t* name) {
    return (name[0] == u'.' && name[1] == 0) || (name[0] == u'.' && name[1] == u'.' && !name[2]);
}

} // namespace

bool IsUnspelledPath(const std::string& path) {
    // "?" (0x3F) is never the trail byte of a double-byte character.
    return KIVAnsiName::Leaf(path).find('?') != std::string_view::npos;
}

UnspelledMatch FindUnspelledFile(const std::string& path, std::u16string* wide) {
    const std::string folder = KIVAnsiName::Parent(path);
    const std::string key = KIVAnsiName::Key(KIVAnsiName::Leaf(path));
    const std::u16string wideFolder = WideOf(folder);
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((wideFolder + u"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return UnspelledMatch::kNone;
    int matches = 0;
    do {
        if (IsDotEntry(entry.cFileName) || KIVAnsiName::Key(AnsiOf(entry.cFileName)) != key)
            continue;
        if (++matches == 1)
            *wide = wideFolder + u"\\" + entry.cFileName;
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return matches == 0   ? UnspelledMatch::kNone
           : matches == 1 ? UnspelledMatch::kOne
                          : UnspelledMatch::kSeveral;
}
