#pragma once

// The machine's drives, as the system lists them.

#include <string>
#include <vector>

namespace tts::platform {

enum class DriveType { Removable, Fixed, Network, CdRom, Ram, Home };

// A drive of the machine: on Windows a drive letter, on Linux a mounted file system (its mount
// point), as the folder chooser lists them.
struct DriveInfo {
    std::string root; // "c:\" on Windows, "/media/ana/USB" on Linux
    DriveType type = DriveType::Fixed;
    std::string label;      // volume label, or the share's name for network drives
    std::string fileSystem; // "ext4", "NTFS"...
    std::string device;     // "/dev/sdb1", or the share for network drives
};

std::vector<DriveInfo> machineDrives();

} // namespace tts::platform
