#include "base/platform/ProfileFile.h"

#include "base/platform/AtomicReplace.h"
#include "base/platform/File.h"

#include <climits>
#include <cstdlib>

namespace tts::platform {

namespace {

// Where the new text goes: through a symbolic link to its target, so the link survives.
std::string realTarget(const std::string& path) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved))
        return resolved;
    return path;
}

} // namespace

SystemError writeProfileString(const std::string& path, std::string_view section,
                               std::string_view key, std::string_view value,
                               std::string (*updatedText)(std::string_view, std::string_view,
                                                          std::string_view, std::string_view)) {
    const std::string target = realTarget(path);
    std::string text;
    const SystemError error = readWholeFile(target, text);
    if (error && !isNotFound(error))
        return error;
    return replaceFileContents(target, updatedText(text, section, key, value));
}

} // namespace tts::platform
