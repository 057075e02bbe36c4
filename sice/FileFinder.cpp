#include "sice/FileFinder.h"

#include "base/CaseTable.h"

#include <filesystem>
#include <system_error>

namespace tts::sice {

namespace fs = std::filesystem;

namespace {

bool isRegularFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec); // follows links, as opening the file would
}

} // namespace

FoundFile findFile(const std::string& folder, const std::string& name) {
    FoundFile found{folder + name, false};
    if (isRegularFile(found.path)) {
        found.exists = true;
        return found;
    }

    // Case-sensitive file systems: look through the folder. When several stored names differ only
    // in letter case, the one that sorts first by bytes wins, so the choice does not depend on the
    // order in which the system lists the folder.
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    if (ec)
        return found;
    std::string best;
    // increment(ec) rather than ++: a folder that fails half-way must not throw past the caller.
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        std::string stored = it->path().filename().string();
        if (equalsIgnoringCase(stored, name) && isRegularFile(it->path()) &&
            (best.empty() || stored < best))
            best = stored;
    }
    if (!best.empty()) {
        found.path = folder + best;
        found.exists = true;
    }
    return found;
}

bool folderExists(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

char pathSeparator() {
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

} // namespace tts::sice
