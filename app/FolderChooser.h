#pragma once

// The folder chooser's behaviour without a toolkit: its rows, its opened folder, its drive.

#include "app/Drives.h"

#include <map>
#include <string>
#include <vector>

namespace tts::app {

enum class FolderIcon { Opened, Current, Closed };

// One row of the folder list: indented by `level`, named by the folder's last name (the root by
// its whole path).
struct FolderRow {
    std::string path; // native form
    std::string name;
    int level = 0;
    FolderIcon icon = FolderIcon::Closed;
};

// The folder chooser's state (`Directorios` with `Unidades`): the opened folder, the rows that
// show the way down to it and its subfolders, the machine's drives, and per drive the folder
// last opened on it, which choosing that drive again opens.
class FolderChooser {
public:
    explicit FolderChooser(std::vector<Drive> drives = {});

    // The opened folder, native, without a trailing separator except at a root.
    const std::string& directory() const { return directory_; }
    // The root, each folder down to the opened one, the opened one, then its subfolders sorted
    // without regard to letter case ("." names are not listed).
    const std::vector<FolderRow>& rows() const { return rows_; }
    int currentRow() const { return currentRow_; }

    const std::vector<Drive>& drives() const { return drives_; }
    // The drive of the opened folder; -1 when no drive holds it.
    int currentDrive() const { return currentDrive_; }

    // Makes `folder` (absolute, or relative to the working folder) the opened folder and the
    // process's working folder, and lists it. A folder that cannot be opened or listed throws
    // tts::Error ("I/O error <code>", the codes Windows gives) and changes nothing.
    void openFolder(const std::string& folder);

    // The folder that choosing the drive at `index` opens; empty for no such drive.
    std::string folderOfDrive(int index) const;

private:
    std::vector<Drive> drives_;
    std::map<std::string, std::string> lastFolder_; // by drive root
    std::string directory_;
    std::vector<FolderRow> rows_;
    int currentRow_ = -1;
    int currentDrive_ = -1;
};

// The separator of the machine's paths: "\" on Windows, "/" elsewhere.
char pathSeparator();

} // namespace tts::app
