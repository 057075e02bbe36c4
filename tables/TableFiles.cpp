#include "tables/TableFiles.h"

#include "base/platform/Folders.h"
#include "tables/TableErrors.h"

namespace tts::tables::tableFiles {

namespace {

// "C:\HTEMP" is as absolute on Windows as "/tmp" is here: only the platform knows.
std::string absoluteFolder(const std::string& folder) {
    if (platform::isAbsolutePath(folder))
        return folder;
    std::string current = platform::currentFolder();
    if (current.empty())
        return folder;
    if (folder.empty() || folder == ".")
        return current;
    return platform::joinPath(current, folder);
}

} // namespace

std::string joinPath(const std::string& folder, const std::string& fileName) {
    return platform::joinPath(absoluteFolder(folder), fileName);
}

void requireFolder(const std::string& folder) {
    if (folder.empty() || platform::pathKind(folder) != platform::PathKind::Folder)
        throw tableErrors::invalidFolder(folder);
}

std::optional<std::string> findFile(const std::string& folder, const std::string& fileName) {
    std::optional<std::string> found;
    if (platform::findIgnoringCase(absoluteFolder(folder), fileName, found) != 0)
        return std::nullopt;
    return found;
}

std::optional<std::string> findExistingFile(const std::string& folder,
                                            const std::string& fileName) {
    std::optional<std::string> found;
    const platform::SystemError error =
        platform::findIgnoringCase(absoluteFolder(folder), fileName, found);
    // A folder we may not list hides its tables: say so, not that the table is missing.
    if (error && !platform::isNotFound(error))
        throw tableErrors::folderUnreadable(folder, error);
    return found;
}

void removeIfPresent(const std::string& folder, const std::string& fileName) {
    while (auto path = findFile(folder, fileName)) {
        if (platform::removeFile(*path) != 0)
            return;
    }
}

} // namespace tts::tables::tableFiles
