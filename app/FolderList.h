#pragma once

#include <QListWidget>
#include <QString>

namespace tts::app {

// The folder chooser's list (`Directorios`): the root, each folder down to the current one, the
// current folder (selected), then its subfolders sorted without regard to letter case. A click
// only selects a row; opening a row is the window's decision (double click, or Enter when no
// job button takes it).
class FolderList : public QListWidget {
    Q_OBJECT
public:
    enum Role { FolderRole = Qt::UserRole, LevelRole, IconRole };

    explicit FolderList(QWidget* parent = nullptr);

    // The opened folder, in native form, without a trailing separator except at a root.
    QString directory() const { return directory_; }

    // Makes `folder` the current folder and the process's working folder and rebuilds the list.
    // A folder that cannot be opened or listed throws tts::Error ("I/O error <code>") and
    // changes nothing.
    void openFolder(const QString& folder);

    // The folder of a row, to open it.
    QString folderAt(int row) const;

Q_SIGNALS:
    void directoryChanged(const QString& folder);

private:
    QString directory_;
};

} // namespace tts::app
