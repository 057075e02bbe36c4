#pragma once

#include <functional>
#include <string>

namespace tts::app {

// `path` shortened until `width` of it is at most `maxWidth`: the first folder after the drive
// becomes "..." ("C:\...\b\c" or "/.../b/c"), then each further folder; when only the last
// folder is left the drive goes too ("...\c"); at the end only the last folder's name remains.
std::string shortenedPath(const std::string& path, int maxWidth,
                          const std::function<int(const std::string&)>& width, char separator);

} // namespace tts::app
