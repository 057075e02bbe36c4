#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace tts::fuzz {

// Every regular file of a folder by name, with its bytes.
using FolderSnapshot = std::map<std::string, std::string>;

inline std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline FolderSnapshot snapshotOf(const std::string& folder) {
    FolderSnapshot snapshot;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        snapshot[entry.path().filename().string()] =
            entry.is_regular_file() ? fileBytes(entry.path().string()) : std::string("<folder>");
    return snapshot;
}

inline void writeFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace tts::fuzz
