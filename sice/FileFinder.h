#pragma once

// A SICE file found in its folder whatever the letter case of its name.

#include <string>
#include <vector>

namespace tts::sice {

struct FoundFile {
    std::string path; // the real path when found, else folder + name as asked
    bool exists = false;
    // Other files whose names differ from it only in letter case, left aside: their paths.
    std::vector<std::string> leftAside;
};

// Finds `name` in `folder` whatever the letter case of the stored name (a-z/A-Z and the
// Windows-1252 letters). When several spellings are there (a copy from a system that tells
// case apart), the one spelled exactly as the jobs ask wins, else the one that sorts first by
// bytes; the others are in `leftAside`. A folder of that name does not count; a device, a FIFO
// or a broken link does, so that opening it says what it is. `folder` is CarpetaSice: it already
// ends with the path separator. A folder that exists but cannot be read raises
// "No se puede leer la carpeta "%s". %s".
FoundFile findFile(const std::string& folder, const std::string& name);

// "se usa <used>; se deja aparte <other>, que solo difiere en mayúsculas y minúsculas":
// Windows-1252 text with the names as stored, for the reports of the jobs and of the check.
std::string leftAsideText(const FoundFile& file);
// Adds that text to a job's notes when the file was found beside namesakes.
void noteLeftAside(const FoundFile& file, std::vector<std::string>& notes);

// True when a folder (not a file) exists at `path`.
bool folderExists(const std::string& path);

// The separator appended to a chosen folder to make CarpetaSice.
char pathSeparator();

} // namespace tts::sice
