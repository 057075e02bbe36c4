#pragma once

#include "app/Drives.h"

#include <QComboBox>
#include <QHash>

namespace tts::app {

// The drive selector (`Unidades`), bound to the folder list: it shows the drive of the current
// folder and remembers, per drive, the folder last opened on it, which choosing the drive again
// opens.
class DriveSelector : public QComboBox {
    Q_OBJECT
public:
    explicit DriveSelector(QWidget* parent = nullptr);

    void setDrives(std::vector<Drive> drives);
    const std::vector<Drive>& drives() const { return drives_; }

    // Selects the drive of `folder`, which was just opened, and remembers it as that drive's
    // own current folder.
    void followFolder(const QString& folder);

    // The folder to open when the user picks the drive at `index`.
    QString folderOfDrive(int index) const;

private:
    std::vector<Drive> drives_;
    QHash<QString, QString> lastFolder_; // by drive root
};

} // namespace tts::app
