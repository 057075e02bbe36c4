#pragma once

#include "app/FolderChooser.h"

#include <QListWidget>
#include <QString>

namespace tts::app {

// The folder chooser's list (`Directorios`), drawn from the form's FolderChooser: rows indented
// by their depth, each with its folder icon. A click only selects a row; opening a row is the
// form's decision (double click, or Enter when no job button takes it).
class FolderList : public QListWidget {
    Q_OBJECT
public:
    enum Role { FolderRole = Qt::UserRole, LevelRole, IconRole };

    explicit FolderList(QWidget* parent = nullptr);

    // Shows the chooser's rows with its opened folder selected.
    void showFolders(const FolderChooser& folders);

    // The opened folder, in native form, without a trailing separator except at a root.
    QString directory() const { return directory_; }

private:
    QString directory_;
};

} // namespace tts::app
