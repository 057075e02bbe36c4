#pragma once

// The drives the folder chooser offers, each with its kind and label.

#include <string>
#include <vector>

namespace tts::app {

enum class DriveKind { Fixed, Removable, CdRom, Network, Ram, Home };

// One entry of the drive selector. Windows has drive letters; on Linux a "drive" is the root
// folder, the user's home folder, or a mounted file system that holds files (its mount point).
struct Drive {
    std::string root; // "C:\" on Windows; "/", "/home/ana", "/media/ana/USB" on Linux
    DriveKind kind = DriveKind::Fixed;
    std::string label; // volume label (device name when it has none), or a share's network name

    // As listed: "c: [SYSTEM]" or "/media/ana/USB [USB]"; network drives with their share.
    std::string text() const;
};

// The machine's drives, sorted by root. Each front end asks its own window system's platform.
std::vector<Drive> machineDrives();

// The drive that holds `folder`: the one with the longest root that contains it; -1 for none.
int driveIndexOf(const std::vector<Drive>& drives, const std::string& folder);

} // namespace tts::app
