#include "app/FolderChooser.h"

#include "base/CaseTable.h"
#include "base/Error.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace tts::app {

namespace fs = std::filesystem;

namespace {

// What Windows reports for the failures a user can meet here; other codes as the system has
// them.
[[noreturn]] void ioError(const std::error_code& error) {
    int code = error.value();
    if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory)
        code = 3; // path not found
    else if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted)
        code = 5; // access denied
    else if (error == std::errc::io_error || error == std::errc::no_such_device_or_address ||
             error == std::errc::no_such_device)
        code = 21; // device not ready
#ifdef ENOMEDIUM
    else if (error.value() == ENOMEDIUM)
        code = 21;
#endif
    throw Error("I/O error " + std::to_string(code));
}

std::string native(const fs::path& path) {
    fs::path copy = path;
    return copy.make_preferred().string();
}

// Absolute and clean, without a trailing separator except at a root.
fs::path cleanPath(const std::string& folder) {
    std::error_code error;
    fs::path path = fs::absolute(fs::path(folder), error);
    if (error)
        ioError(error);
    path = path.lexically_normal();
    if (path.has_relative_path() && path.filename().empty())
        path = path.parent_path();
    return path;
}

std::string nameOf(const fs::path& path) {
    const std::string name = path.filename().string();
    return name.empty() ? native(path) : name;
}

} // namespace

char pathSeparator() {
    return static_cast<char>(fs::path::preferred_separator);
}

FolderChooser::FolderChooser(std::vector<Drive> drives) : drives_(std::move(drives)) {}

void FolderChooser::openFolder(const std::string& folder) {
    const fs::path path = cleanPath(folder);

    std::error_code error;
    std::vector<std::string> subfolders;
    fs::directory_iterator entry(path, error);
    if (error)
        ioError(error);
    for (; entry != fs::directory_iterator(); entry.increment(error)) {
        if (error)
            ioError(error);
        std::string name = entry->path().filename().string();
        std::error_code ignored;
        if (!name.empty() && name[0] != '.' && entry->is_directory(ignored))
            subfolders.push_back(std::move(name));
    }
    if (error)
        ioError(error);
    fs::current_path(path, error);
    if (error)
        ioError(error);

    std::sort(subfolders.begin(), subfolders.end(), [](const std::string& a, const std::string& b) {
        const std::string la = foldCase(a), lb = foldCase(b);
        return la != lb ? la < lb : a < b;
    });

    // The way down: the root first, then every folder up to the opened one.
    std::vector<fs::path> way;
    for (fs::path step = path;;) {
        way.insert(way.begin(), step);
        if (!step.has_relative_path())
            break;
        step = step.parent_path();
    }

    std::vector<FolderRow> rows;
    const int depth = static_cast<int>(way.size()) - 1;
    for (int level = 0; level < depth; ++level)
        rows.push_back(
            {native(way[size_t(level)]), nameOf(way[size_t(level)]), level, FolderIcon::Opened});
    rows.push_back({native(path), nameOf(path), depth, FolderIcon::Current});
    for (const std::string& name : subfolders)
        rows.push_back({native(path / name), name, depth + 1, FolderIcon::Closed});

    rows_ = std::move(rows);
    currentRow_ = depth;
    directory_ = native(path);
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
