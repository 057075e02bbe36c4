#include "app/FolderChooser.h"

#include "base/CaseTable.h"
#include "base/Error.h"
#include "base/platform/Folders.h"

#include <algorithm>

namespace tts::app {

namespace {

// What Windows reports for the failures a user can meet here; other codes as Windows numbers
// them.
[[noreturn]] void ioError(platform::SystemError error) {
    int code = platform::windowsCode(error);
    if (platform::isNotFound(error))
        code = 3; // path not found
    else if (platform::isAccessDenied(error))
        code = 5; // access denied
    else if (platform::isDeviceNotReady(error))
        code = 21; // device not ready
    throw Error("I/O error " + std::to_string(code));
}

} // namespace

char pathSeparator() {
    return platform::pathSeparator();
}

FolderChooser::FolderChooser(std::vector<Drive> drives) : drives_(std::move(drives)) {}

void FolderChooser::openFolder(const std::string& folder) {
    // Through the platform layer, whose paths are the program's Windows-1252 bytes on every
    // system: a folder named "Secretaría" is listed, opened and handed to the jobs as one name.
    const std::string path = platform::absolutePath(folder);
    if (path.empty()) // relative, and the working folder is gone
        throw Error("I/O error 3");

    std::vector<std::string> names;
    if (const platform::SystemError error = platform::listFolder(path, names))
        ioError(error);
    std::vector<std::string> subfolders;
    for (std::string& name : names)
        if (!name.empty() && name[0] != '.' &&
            platform::pathKind(platform::joinPath(path, name)) == platform::PathKind::Folder)
            subfolders.push_back(std::move(name));
    if (const platform::SystemError error = platform::setCurrentFolder(path))
        ioError(error);

    std::sort(subfolders.begin(), subfolders.end(), [](const std::string& a, const std::string& b) {
        const std::string la = foldCase(a), lb = foldCase(b);
        return la != lb ? la < lb : a < b;
    });

    // The way down: the root (named by its whole path) first, then every folder up to the
    // opened one.
    const platform::PathSteps steps = platform::stepsOf(path);
    std::vector<FolderRow> rows;
    const int depth = static_cast<int>(steps.names.size());
    std::string way = steps.root;
    rows.push_back({way, way, 0, depth == 0 ? FolderIcon::Current : FolderIcon::Opened});
    for (int level = 1; level <= depth; ++level) {
        const std::string& name = steps.names[size_t(level - 1)];
        way = platform::joinPath(way, name);
        rows.push_back(
            {way, name, level, level == depth ? FolderIcon::Current : FolderIcon::Opened});
    }
    for (const std::string& name : subfolders)
        rows.push_back({platform::joinPath(path, name), name, depth + 1, FolderIcon::Closed});

    rows_ = std::move(rows);
    currentRow_ = depth;
    directory_ = path;
    currentDrive_ = driveIndexOf(drives_, directory_);
    if (currentDrive_ >= 0)
        lastFolder_[drives_[size_t(currentDrive_)].root] = directory_;
}

std::string FolderChooser::folderOfDrive(int index) const {
    if (index < 0 || index >= static_cast<int>(drives_.size()))
        return {};
    const std::string& root = drives_[size_t(index)].root;
    const auto last = lastFolder_.find(root);
    return last == lastFolder_.end() ? root : last->second;
}

} // namespace tts::app
