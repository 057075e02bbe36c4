#include "app/DriveSelector.h"

#include <QSignalBlocker>

namespace tts::app {

DriveSelector::DriveSelector(QWidget* parent) : QComboBox(parent) {
    setIconSize(QSize(16, 14));
}

void DriveSelector::setDrives(std::vector<Drive> drives) {
    QSignalBlocker quiet(this);
    drives_ = std::move(drives);
    clear();
    for (const Drive& drive : drives_)
        addItem(QIcon(driveIcon(drive.kind)), drive.text());
}

void DriveSelector::followFolder(const QString& folder) {
    const int index = driveIndexOf(drives_, folder);
    QSignalBlocker quiet(this);
    setCurrentIndex(index);
    if (index >= 0)
        lastFolder_.insert(drives_[size_t(index)].root, folder);
}

QString DriveSelector::folderOfDrive(int index) const {
    if (index < 0 || index >= int(drives_.size()))
        return {};
    const QString& root = drives_[size_t(index)].root;
    return lastFolder_.value(root, root);
}

} // namespace tts::app
