#pragma once

#include "app/Glyphs.h"

#include <QString>
#include <vector>

namespace tts::app {

// One entry of the drive selector. Windows has drive letters; on Linux a "drive" is the root
// folder, the user's home folder, or a mounted file system that holds files (its mount point).
struct Drive {
    QString root; // "c:\" on Windows; "/", "/home/ana", "/media/ana/USB" on Linux
    DriveKind kind = DriveKind::Fixed;
    QString label; // volume label (device name when it has none), or a share's network name

    // As listed: "c: [SYSTEM]" or "/media/ana/USB [USB]"; network drives with their share.
    QString text() const;
};

std::vector<Drive> machineDrives();

// The drive that holds `folder`: the one with the longest root that contains it.
int driveIndexOf(const std::vector<Drive>& drives, const QString& folder);

} // namespace tts::app
