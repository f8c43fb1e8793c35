// The installed-files list: full paths in the machine's ANSI code page, in
// the order in which the files were made, one 520-byte record per path. The
// reader, the file copy and the shortcut code append to it; the uninstall
// record is written from it.
#pragma once

#include <array>
#include <vector>

class InstalledFileList {
public:
    static constexpr int kPathSize = 520;

    // Appends a path; a longer one is cut to 519 bytes and terminated.
    void Add(const char* ansiPath);
    int GetSize() const { return static_cast<int>(paths_.size()); }
    // The path at index, or null outside 0..GetSize()-1.
    const char* GetAt(int index) const;
    void RemoveAll() { paths_.clear(); }

private:
    std::vector<std::array<char, kPathSize>> paths_;
};
