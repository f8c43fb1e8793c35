// The registry-keys list: the expanded paths of the keys written for the
// product, in writing order, ANSI, one 260-byte record per path. The uninstall
// record lists them so that the uninstaller can remove the keys.
#pragma once

#include <array>
#include <vector>

class RegistryKeyList {
public:
    static constexpr int kPathSize = 260;

    // Appends a path; a longer one is cut to 259 bytes and terminated.
    void Add(const char* ansiPath);
    int GetSize() const { return static_cast<int>(paths_.size()); }
    // The path at index, or null outside 0..GetSize()-1.
    const char* GetAt(int index) const;
    void RemoveAll() { paths_.clear(); }

private:
    std::vector<std::array<char, kPathSize>> paths_;
};
