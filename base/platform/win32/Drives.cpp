#include "base/platform/Drives.h"

#include "base/platform/win32/Wide.h"

#include <windows.h>

namespace tts::platform {

std::vector<DriveInfo> machineDrives() {
    std::vector<DriveInfo> drives;
    const DWORD letters = ::GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(letters & (1u << i)))
            continue;
        DriveInfo drive;
        drive.root = std::string(1, static_cast<char>('a' + i)) + ":\\";
        const std::wstring root = std::wstring(1, static_cast<wchar_t>(L'A' + i)) + L":\\";
        switch (::GetDriveTypeW(root.c_str())) {
        case DRIVE_REMOVABLE:
            drive.type = DriveType::Removable;
            break;
        case DRIVE_REMOTE:
            drive.type = DriveType::Network;
            break;
        case DRIVE_CDROM:
            drive.type = DriveType::CdRom;
            break;
        case DRIVE_RAMDISK:
            drive.type = DriveType::Ram;
            break;
        default:
            drive.type = DriveType::Fixed;
            break;
        }
        wchar_t label[MAX_PATH + 1] = {};
        wchar_t fileSystem[MAX_PATH + 1] = {};
        // Removable and network drives may have no medium or be slow: the label is asked only
        // of the others, as the folder chooser shows it only for them.
        if (drive.type != DriveType::Removable &&
            ::GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr,
                                    fileSystem, MAX_PATH + 1)) {
            drive.label = narrow(label);
            drive.fileSystem = narrow(fileSystem);
        }
        drives.push_back(drive);
    }
    return drives;
}

} // namespace tts::platform
