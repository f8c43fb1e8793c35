// The registry file: keys and values kept as text in a file of the Windows
// folder instead of the system registry.
//
//     $ROOT$          the section of HKEY_CLASSES_ROOT
//     $MACHINE$       the section of HKEY_LOCAL_MACHINE
//     [SOFTWARE]      a key header: one key level
//     [Kiv software]  a sub key follows its parent's header
//     Language:German a value: name ":" data, the data as text
//
// Nesting is given by order alone. A key handle is the byte offset of the
// line after the key's header; HKEY_CLASSES_ROOT and HKEY_LOCAL_MACHINE stand
// for the line after their section marker. Every change reads the whole file
// and writes it anew (through a temporary file that then replaces it, so a
// failed write leaves the old file). Not safe for concurrent use.
//
// Bad content never overflows: lines of any length are read whole and cut
// only into the caller's buffers; a file larger than kMaxFileSize is refused.
// Results: 0 on success, -1 on any failure (the file is then unchanged).
#pragma once

#include "platform/WinReg.h"

#include <cstddef>
#include <string>

class KIVRegistryFile {
public:
    static constexpr std::size_t kMaxFileSize = 16u << 20;

    // fileName: a plain file name in the Windows folder. A name holding "\",
    // "/" or ":", "." or "..", or a path too long for MAX_PATH is refused.
    explicit KIVRegistryFile(const char16_t* fileName);
    bool IsValid() const { return valid_; }
    const std::u16string& Path() const { return path_; }

    // Finds the key header "[name]" anywhere after the parent's position;
    // when missing and access has KEY_CREATE_SUB_KEY, inserts the header
    // directly after the parent's header (or section marker). A file that
    // lacks the parent's section marker is deleted and made anew, at most
    // eleven times.
    LONG OpenKey(HKEY parent, const char* name, REGSAM access, HKEY* keyOut);
    // The value at index among the key's value lines: name and data cut to
    // their buffers (sizes in bytes, terminator included) and terminated.
    LONG EnumValue(HKEY key, DWORD index, char* name, DWORD nameSize, char* data, DWORD dataSize);
    // Replaces the key's value line of that name in place, or inserts it
    // before the next header, or appends it at the end of the file.
    LONG SetValue(HKEY key, const char* name, const char* data, DWORD dataSize);
    void Delete();

private:
    bool Read(std::string* content, bool* missing) const;
    bool Write(const std::string& content) const;
    bool ReadOrCreate(std::string* content) const;
    bool OpenParent(HKEY parent, std::string* content, std::size_t* position);
    static bool Position(const std::string& content, HKEY key, std::size_t* position);
    LONG InsertKey(const std::string& content, std::size_t position, const std::string& header,
                   HKEY* keyOut) const;

    std::u16string path_;
    bool valid_ = false;
};
