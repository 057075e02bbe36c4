#include "app/Drives.h"

#include <QDir>
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

bool contains(const QString& root, const QString& folder) {
    if (folder.compare(root, Qt::CaseSensitive) == 0)
        return true;
    QString prefix = root.endsWith('/') || root.endsWith('\\') ? root : root + '/';
#ifdef Q_OS_WIN
    return folder.startsWith(prefix, Qt::CaseInsensitive);
#else
    return folder.startsWith(prefix, Qt::CaseSensitive);
#endif
}

} // namespace

QString Drive::text() const {
#ifdef Q_OS_WIN
    QString name = root.left(2).toLower();
#else
    QString name = root;
#endif
    if (kind == DriveKind::Network)
        return label.isEmpty() ? name : name + ' ' + label;
    if (kind == DriveKind::Removable)
        return name;
    return name + " [" + label + ']';
}

std::vector<Drive> machineDrives() {
    std::vector<Drive> drives;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !QFileInfo(volume.rootPath()).isDir())
            continue;
        Drive drive;
        drive.root = QDir::toNativeSeparators(volume.rootPath());
        drive.kind = kindOf(volume);
        if (drive.kind == DriveKind::Network) {
            drive.label = QString::fromLocal8Bit(volume.device());
        } else {
            drive.label = volume.name();
            if (drive.label.isEmpty())
                drive.label = QFileInfo(QString::fromLocal8Bit(volume.device())).fileName();
        }
        drives.push_back(drive);
    }
#ifndef Q_OS_WIN
    // The root folder is always there, whatever file system holds it; the home folder is
    // where a user's files are, so it gets an entry of its own.
    if (std::none_of(drives.begin(), drives.end(), [](const Drive& d) { return d.root == "/"; }))
        drives.push_back({"/", DriveKind::Fixed, QStringLiteral("rootfs")});
    const QString home = QDir::homePath();
    if (home != "/" && QFileInfo(home).isDir() &&
        std::none_of(drives.begin(), drives.end(), [&](const Drive& d) { return d.root == home; }))
        drives.push_back({home, DriveKind::Home, QStringLiteral("~")});
#endif
    std::sort(drives.begin(), drives.end(), [](const Drive& a, const Drive& b) {
        return a.root.compare(b.root, Qt::CaseInsensitive) < 0;
    });
    return drives;
}

int driveIndexOf(const std::vector<Drive>& drives, const QString& folder) {
    int best = -1;
    for (int i = 0; i < static_cast<int>(drives.size()); ++i)
        if (contains(drives[i].root, folder) &&
            (best < 0 || drives[i].root.size() > drives[best].root.size()))
            best = i;
    return best;
}

} // namespace tts::app
