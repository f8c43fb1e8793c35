// The registry file store.
// [SECTION] Handles and names
// [SECTION] Reading and writing the file
// [SECTION] Opening keys
// [SECTION] Values
#include "toolkit/KIVRegistryFile.h"

#include "platform/RegistryRoots.h"
#include "toolkit/KIVRegistryFileText.h"
#include "toolkit/KIVSystem.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

using namespace KIVRegistryFileText;

namespace {

// [SECTION] Handles and names

HKEY ToHandle(std::size_t offset) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(offset));
}

std::size_t ToOffset(HKEY key, std::size_t size) {
    return static_cast<std::size_t>(std::min<ULONG_PTR>(reinterpret_cast<ULONG_PTR>(key), size));
}

// The predefined handles other than the two roots a registry file has.
bool IsOtherRoot(HKEY key) {
    return RegistryRoots::FromHandle(key) && key != HKEY_CLASSES_ROOT && key != HKEY_LOCAL_MACHINE;
}

const char* MarkerOf(HKEY key) {
    return key == HKEY_CLASSES_ROOT ? "$ROOT$" : key == HKEY_LOCAL_MACHINE ? "$MACHINE$" : nullptr;
}

bool FindMarker(const std::string& content, const char* marker, std::size_t* position) {
    for (std::size_t pos = 0; pos < content.size(); pos = NextLine(content, pos)) {
        if (LineStartsWith(content, pos, '$') &&
            CutBehindLast(LineText(content, pos), '$') == marker) {
            *position = NextLine(content, pos);
            return true;
        }
    }
    return false;
}

bool HasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

// A value name must read back as itself: no ":" (which ends the name), no
// line break, and no leading "[" or "$" (which would make its line a header).
bool IsValueName(const std::string& name) {
    return name.find(':') == std::string::npos && !HasLineBreak(name) &&
           (name.empty() || (name[0] != '[' && name[0] != '$'));
}

bool IsPlainFileName(const char16_t* name) {
    if (!name || !*name)
        return false;
    std::u16string text(name);
    return text != u"." && text != u".." && text.find_first_of(u"\\/:") == std::u16string::npos;
}

void CopyCut(const std::string& text, char* buffer, DWORD size) {
    if (!buffer || size == 0)
        return;
    std::size_t count = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
}

// The ANSI form of a path for a narrow call; false when it does not fit MAX_PATH.
bool NarrowPath(const std::u16string& path, char (&buffer)[MAX_PATH]) {
    return WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, buffer, MAX_PATH, nullptr, nullptr) > 0;
}

// Puts the finished temporary file in the place of the real one.
bool Replace(const std::u16string& from, const std::u16string& to) {
    if (KIVIsWindowsNT())
        return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING);
    char source[MAX_PATH], target[MAX_PATH];
    return NarrowPath(from, source) && NarrowPath(to, target) &&
           MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING);
}

} // namespace

KIVRegistryFile::KIVRegistryFile(const char16_t* fileName) {
    if (!IsPlainFileName(fileName))
        return;
    char16_t folder[MAX_PATH] = {};
    UINT length = KIVGetWindowsDirectory(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    path_ = std::u16string(folder) + u"\\" + fileName;
    valid_ = path_.size() + 4 < MAX_PATH; // room for the temporary file's ".new"
}

// [SECTION] Reading and writing the file

bool KIVRegistryFile::Read(std::string* content, bool* missing) const {
    *missing = false;
    FILE* file = KIVFileOpen(path_.c_str(), "rb");
    if (!file) {
        *missing = true;
        return false;
    }
    content->clear();
    char block[8192];
    std::size_t count;
    bool ok = true;
    while (ok && (count = std::fread(block, 1, sizeof block, file)) > 0) {
        content->append(block, count);
        ok = content->size() <= kMaxFileSize;
    }
    ok = ok && !std::ferror(file);
    std::fclose(file);
    return ok;
}

bool KIVRegistryFile::Write(const std::string& content) const {
    if (content.size() > kMaxFileSize)
        return false;
    std::u16string temporary = path_ + u".new";
    FILE* file = KIVFileOpen(temporary.c_str(), "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    ok = (std::fclose(file) == 0) && ok;
    if (ok && Replace(temporary, path_))
        return true;
    KIVDeleteFile(temporary.c_str());
    return false;
}

bool KIVRegistryFile::ReadOrCreate(std::string* content) const {
    bool missing = false;
    if (Read(content, &missing))
        return true;
    if (!missing)
        return false; // unreadable or too large: never replaced by an empty file
    std::string fresh;
    AppendLine(&fresh, "$ROOT$");
    AppendLine(&fresh, "$MACHINE$");
    return Write(fresh) && Read(content, &missing);
}

void KIVRegistryFile::Delete() {
    if (valid_)
        KIVDeleteFile(path_.c_str());
}

bool KIVRegistryFile::Position(const std::string& content, HKEY key, std::size_t* position) {
    if (const char* marker = MarkerOf(key))
        return FindMarker(content, marker, position);
    if (IsOtherRoot(key))
        return false;
    *position = ToOffset(key, content.size());
    return true;
}

// [SECTION] Opening keys

// A file without the parent's section marker is damaged: it is deleted and
// made anew, in all at most eleven attempts.
bool KIVRegistryFile::OpenParent(HKEY parent, std::string* content, std::size_t* position) {
    if (IsOtherRoot(parent))
        return false;
    for (int depth = 0; depth <= 10; ++depth) {
        if (!ReadOrCreate(content))
            return false;
        if (Position(*content, parent, position))
            return true;
        Delete();
    }
    return false;
}

LONG KIVRegistryFile::OpenKey(HKEY parent, const char* name, REGSAM access, HKEY* keyOut) {
    if (!valid_ || !name || !keyOut || HasLineBreak(name))
        return -1;
    std::string content;
    std::size_t position = 0;
    if (!OpenParent(parent, &content, &position))
        return -1;
    bool create = (access & KEY_CREATE_SUB_KEY) != 0;
    if (position >= content.size() && !create)
        return -1;
    std::string header = "[" + std::string(name) + "]";
    for (std::size_t pos = position; pos < content.size(); pos = NextLine(content, pos)) {
        if (LineStartsWith(content, pos, '[') &&
            CutBehindLast(LineText(content, pos), ']') == header) {
            *keyOut = ToHandle(NextLine(content, pos));
            return 0;
        }
    }
    return create ? InsertKey(content, position, header, keyOut) : -1;
}

LONG KIVRegistryFile::InsertKey(const std::string& content, std::size_t position,
                                const std::string& header, HKEY* keyOut) const {
    std::string out;
    AppendLines(&out, content, 0, position);
    AppendLine(&out, header);
    std::size_t key = out.size();
    AppendLines(&out, content, position, content.size());
    if (!Write(out))
        return -1;
    *keyOut = ToHandle(key);
    return 0;
}

// [SECTION] Values

LONG KIVRegistryFile::EnumValue(HKEY key, DWORD index, char* name, DWORD nameSize, char* data,
                                DWORD dataSize) {
    std::string content;
    std::size_t pos = 0;
    bool missing = false;
    if (!valid_ || !Read(&content, &missing) || !Position(content, key, &pos))
        return -1;
    for (DWORD line = 0;; ++line, pos = NextLine(content, pos)) {
        std::size_t end = TextEnd(content, pos);
        std::size_t colon = content.find(':', pos);
        if (pos >= content.size() || colon >= end || LineStartsWith(content, pos, '[') ||
            LineStartsWith(content, pos, '$'))
            return -1; // the end of the file, a header or a marker ends the key's values
        if (line == index) {
            CopyCut(content.substr(pos, colon - pos), name, nameSize);
            CopyCut(content.substr(colon + 1, end - colon - 1), data, dataSize);
            return 0;
        }
    }
}

LONG KIVRegistryFile::SetValue(HKEY key, const char* name, const char* data, DWORD dataSize) {
    std::string valueName = name ? name : "";
    if (!valid_ || !IsValueName(valueName))
        return -1;
    std::string line = valueName + ":" + (data ? std::string(data, strnlen(data, dataSize)) : "");
    std::string content;
    std::size_t pos = 0;
    bool missing = false;
    if (!Read(&content, &missing) || !Position(content, key, &pos))
        return -1;
    // The new line goes where the old one was, else before the next header,
    // else at the end of the file.
    std::size_t resume = content.size();
    for (; pos < content.size(); pos = NextLine(content, pos)) {
        if (LineStartsWith(content, pos, '[') || LineStartsWith(content, pos, '$')) {
            resume = pos;
            break;
        }
        std::size_t colon = pos + valueName.size();
        if (colon < TextEnd(content, pos) && content[colon] == ':' &&
            content.compare(pos, valueName.size(), valueName) == 0) {
            resume = NextLine(content, pos);
            break;
        }
    }
    std::string out;
    out.reserve(content.size() + line.size() + 8);
    AppendLines(&out, content, 0, pos);
    AppendLine(&out, line);
    AppendLines(&out, content, resume, content.size());
    return Write(out) ? 0 : -1;
}
