#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace tts::fuzz {

// Every entry of a folder by name: a file with its bytes, a folder or a link as such.
using FolderSnapshot = std::map<std::string, std::string>;

inline std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline FolderSnapshot snapshotOf(const std::string& folder) {
    FolderSnapshot snapshot;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::string& content = snapshot[entry.path().filename().string()];
        if (entry.is_symlink())
            content = "<link to " + std::filesystem::read_symlink(entry.path()).string() + ">";
        else if (entry.is_regular_file())
            content = fileBytes(entry.path().string());
        else
            content = "<not a file>";
    }
    return snapshot;
}

inline void writeFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace tts::fuzz
