#pragma once

#include <string>

namespace tts::sice {

struct FoundFile {
    std::string path; // the real path when found, else folder + name as asked
    bool exists = false;
};

// Finds `name` in `folder` whatever the letter case of the stored name (a-z/A-Z and the
// Windows-1252 letters); an exact match wins, then the spelling that sorts first. A folder of
// that name does not count; a device or FIFO does, so that opening it says what it is.
// `folder` is CarpetaSice: it already ends with the path separator. A folder that exists but
// cannot be read raises "No se puede leer la carpeta "%s". %s".
FoundFile findFile(const std::string& folder, const std::string& name);

// True when a folder (not a file) exists at `path`.
bool folderExists(const std::string& path);

// The separator appended to a chosen folder to make CarpetaSice.
char pathSeparator();

} // namespace tts::sice
