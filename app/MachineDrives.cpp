// The drive selector's entries from the drives the system reports.

#include "app/Drives.h"

#include "base/CaseTable.h"
#include "base/platform/Drives.h"
#include "base/platform/Environment.h"
#include "base/platform/Folders.h"

#include <algorithm>

namespace tts::app {

namespace {

DriveKind kindOf(platform::DriveType type) {
    switch (type) {
    case platform::DriveType::Removable:
        return DriveKind::Removable;
    case platform::DriveType::Network:
        return DriveKind::Network;
    case platform::DriveType::CdRom:
        return DriveKind::CdRom;
    case platform::DriveType::Ram:
        return DriveKind::Ram;
    case platform::DriveType::Home:
        return DriveKind::Home;
    case platform::DriveType::Fixed:
        break;
    }
    return DriveKind::Fixed;
}

} // namespace

std::vector<Drive> machineDrives() {
    std::vector<Drive> drives;
    for (const platform::DriveInfo& info : platform::machineDrives()) {
        Drive drive{info.root, kindOf(info.type), info.label};
        // Folders come back as the system spells them ("C:\..."); the letter follows suit.
        if (drive.root.size() >= 2 && drive.root[1] == ':')
            drive.root[0] = static_cast<char>(upperAsciiOnly(std::string(1, drive.root[0]))[0]);
        drives.push_back(std::move(drive));
    }
    if (platform::pathSeparator() == '/') {
        // The root folder is always there, whatever file system holds it; the home folder is
        // where a user's files are, so it gets an entry of its own.
        if (std::none_of(drives.begin(), drives.end(),
                         [](const Drive& d) { return d.root == "/"; }))
            drives.push_back({"/", DriveKind::Fixed, "rootfs"});
        const std::string home = platform::environmentValue("HOME");
        if (!home.empty() && home != "/" &&
            platform::pathKind(home) == platform::PathKind::Folder &&
            std::none_of(drives.begin(), drives.end(),
                         [&](const Drive& d) { return d.root == home; }))
            drives.push_back({home, DriveKind::Home, "~"});
    }
    std::sort(drives.begin(), drives.end(), [](const Drive& a, const Drive& b) {
        const std::string la = foldCase(a.root), lb = foldCase(b.root);
        return la != lb ? la < lb : a.root < b.root;
    });
    return drives;
}

} // namespace tts::app
