// The drives of the machine as Qt finds them: the mounted file systems.

#include "app/Drives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace tts::app {

namespace {

DriveKind kindOf(const QStorageInfo& volume) {
    const QByteArray type = volume.fileSystemType();
    static const QByteArray network[] = {"nfs", "nfs4", "cifs", "smb3",  "smbfs",      "fuse.sshfs",
                                         "9p",  "afs",  "ceph", "davfs", "fuse.rclone"};
    if (std::find(std::begin(network), std::end(network), type) != std::end(network))
        return DriveKind::Network;
    if (type == "iso9660" || type == "udf")
        return DriveKind::CdRom;
    if (type == "tmpfs" || type == "ramfs")
        return DriveKind::Ram;
    return DriveKind::Fixed;
}

std::string bytes(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

} // namespace

std::vector<Drive> machineDrives() {
    std::vector<Drive> drives;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !QFileInfo(volume.rootPath()).isDir())
            continue;
        Drive drive;
        drive.root = bytes(QDir::toNativeSeparators(volume.rootPath()));
        drive.kind = kindOf(volume);
        if (drive.kind == DriveKind::Network) {
            drive.label = volume.device().toStdString();
        } else {
            QString label = volume.name();
            if (label.isEmpty())
                label = QFileInfo(QString::fromLocal8Bit(volume.device())).fileName();
            drive.label = bytes(label);
        }
        drives.push_back(drive);
    }
#ifndef Q_OS_WIN
    // The root folder is always there, whatever file system holds it; the home folder is
    // where a user's files are, so it gets an entry of its own.
    if (std::none_of(drives.begin(), drives.end(), [](const Drive& d) { return d.root == "/"; }))
        drives.push_back({"/", DriveKind::Fixed, "rootfs"});
    const std::string home = bytes(QDir::homePath());
    if (home != "/" && QFileInfo(QDir::homePath()).isDir() &&
        std::none_of(drives.begin(), drives.end(), [&](const Drive& d) { return d.root == home; }))
        drives.push_back({home, DriveKind::Home, "~"});
#endif
    std::sort(drives.begin(), drives.end(), [](const Drive& a, const Drive& b) {
        return QString::fromStdString(a.root).compare(QString::fromStdString(b.root),
                                                      Qt::CaseInsensitive) < 0;
    });
    return drives;
}

} // namespace tts::app
