#pragma once

#include "tests/support/FileBytes.h"

#include <filesystem>
#include <map>
#include <string>

namespace tts::fuzz {

using test::readBytes;
using test::writeBytes;

// Every entry of a folder by name: a file with its bytes, a folder or a link as such.
using FolderSnapshot = std::map<std::string, std::string>;

inline FolderSnapshot snapshotOf(const std::string& folder) {
    FolderSnapshot snapshot;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::string& content = snapshot[entry.path().filename().string()];
        if (entry.is_symlink())
            content = "<link to " + std::filesystem::read_symlink(entry.path()).string() + ">";
        else if (entry.is_regular_file())
            content = readBytes(entry.path().string());
        else
            content = "<not a file>";
    }
    return snapshot;
}

} // namespace tts::fuzz
