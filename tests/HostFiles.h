// Whole host files for the tests: read one as bytes, or write one (with the
// folders above it) from bytes, bypassing the emulated machine; and the
// listing of a whole drive, to compare a machine with its earlier self.
#pragma once

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

// The file's bytes; empty when it cannot be read.
inline std::string ReadHostFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteHostFile(const std::filesystem::path& path, const std::string& data) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << data;
}

// Every entry of a drive's host folder with its size, but for the paths that
// hold skip (when given).
inline std::set<std::string> DriveListing(const std::string& drive, const std::string& skip = "") {
    std::set<std::string> entries;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(drive)) {
        const std::string path = entry.path().string().substr(drive.size());
        if (skip.empty() || path.find(skip) == std::string::npos)
            entries.insert(path + (entry.is_regular_file() ? " " + std::to_string(entry.file_size())
                                                           : std::string("/")));
    }
    return entries;
}
