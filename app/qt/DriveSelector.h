#pragma once

#include "app/Drives.h"

#include <QComboBox>

#include <vector>

namespace tts::app {

// The drive selector (`Unidades`), drawn from the form's FolderChooser: every drive of the
// machine with its icon, the opened folder's drive shown.
class DriveSelector : public QComboBox {
    Q_OBJECT
public:
    explicit DriveSelector(QWidget* parent = nullptr);

    void setDrives(std::vector<Drive> drives);
    const std::vector<Drive>& drives() const { return drives_; }

    // Shows the drive at `index` (-1: none) without telling anybody.
    void showDrive(int index);

protected:
    // Flat in the chooser's colour, like the folder list, rather than shaded like a button.
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<Drive> drives_;
};

} // namespace tts::app
