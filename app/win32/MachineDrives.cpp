// The drives of the machine as Windows lists them: every drive letter in use.

#include "app/Drives.h"

#include <windows.h>
#include <winnetwk.h>

namespace tts::app {

namespace {

DriveKind kindOf(UINT type) {
    switch (type) {
    case DRIVE_REMOVABLE:
        return DriveKind::Removable;
    case DRIVE_REMOTE:
        return DriveKind::Network;
    case DRIVE_CDROM:
        return DriveKind::CdRom;
    case DRIVE_RAMDISK:
        return DriveKind::Ram;
    default:
        return DriveKind::Fixed;
    }
}

} // namespace

std::vector<Drive> machineDrives() {
    // A drive without a disc must not bring up the system's "insert a disk" box.
    const UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    std::vector<Drive> drives;
    const DWORD letters = ::GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(letters & (1u << i)))
            continue;
        Drive drive;
        drive.root = std::string(1, char('A' + i)) + ":\\";
        drive.kind = kindOf(::GetDriveTypeA(drive.root.c_str()));
        char text[MAX_PATH + 1] = {};
        if (drive.kind == DriveKind::Network) {
            DWORD size = sizeof text;
            const std::string name = drive.root.substr(0, 2);
            if (::WNetGetConnectionA(name.c_str(), text, &size) == NO_ERROR)
                drive.label = text;
        } else if (drive.kind != DriveKind::Removable &&
                   ::GetVolumeInformationA(drive.root.c_str(), text, sizeof text, nullptr, nullptr,
                                           nullptr, nullptr, 0)) {
            drive.label = text;
        }
        drives.push_back(std::move(drive));
    }
    ::SetErrorMode(oldMode);
    return drives;
}

} // namespace tts::app
