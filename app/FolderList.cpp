#include "app/FolderList.h"

#include "app/Glyphs.h"

#include "base/Error.h"
#include "base/platform/Folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cerrno>


namespace tts::app {

namespace {

constexpr int kIndentStep = 4;
constexpr int kRowHeight = 16;

// Rows are indented by their depth; the icon is drawn by us so that it moves with the text.
class IndentedRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const int indent = 2 + index.data(FolderList::LevelRole).toInt() * kIndentStep;
        const auto icon = static_cast<FolderIcon>(index.data(FolderList::IconRole).toInt());
        const QPixmap pixmap = folderIcon(icon);
        painter->drawPixmap(option.rect.left() + indent,
                            option.rect.top() + (option.rect.height() - pixmap.height()) / 2,
                            pixmap);
        QStyleOptionViewItem text = option;
        text.rect.setLeft(option.rect.left() + indent + pixmap.width() + 3);
        // The selection covers the name only, with the item view's own text margins.
        const QFontMetrics metrics(option.font);
        const int margins =
            2 * (option.widget ? option.widget->style()->pixelMetric(QStyle::PM_FocusFrameHMargin,
                                                                     &option, option.widget) +
                                     1
                               : 4);
        text.rect.setWidth(std::min(
            text.rect.width(),
            metrics.horizontalAdvance(index.data(Qt::DisplayRole).toString()) + margins + 2));
        QStyledItemDelegate::paint(painter, text, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        return {size.width() + 2 + index.data(FolderList::LevelRole).toInt() * kIndentStep + 19,
                kRowHeight};
    }
};

// What Windows reports for the failures a user can meet here; other codes as the system has
// them.
int ioErrorCode(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return 3; // path not found
    case EACCES:
    case EPERM:
        return 5; // access denied
    case EIO:
    case ENXIO:
#ifdef ENOMEDIUM
    case ENOMEDIUM:
#endif
        return 21; // device not ready
    default:
        return error;
    }
}

[[noreturn]] void ioError(int error) {
    throw Error("I/O error " + std::to_string(ioErrorCode(error)));
}

// The folder must be there and readable: it is listed as soon as it is opened.
void checkReadable(const QString& folder) {
    std::vector<std::string> names;
    if (platform::SystemError error =
            platform::listFolder(QFile::encodeName(folder).toStdString(), names))
        ioError(error);
}

QString lastName(const QString& path) {
    QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? QDir::toNativeSeparators(path) : name;
}

} // namespace

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new IndentedRowDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QString FolderList::folderAt(int row) const {
    const QListWidgetItem* row_ = item(row);
    return row_ ? row_->data(FolderRole).toString() : QString();
}

void FolderList::openFolder(const QString& folder) {
    const QString path = QDir::cleanPath(QDir(QDir::currentPath()).absoluteFilePath(folder));
    checkReadable(path);
    QFileInfoList subfolders =
        QDir(path).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    if (!QDir::setCurrent(path))
        ioError(errno ? errno : EACCES);
    std::sort(subfolders.begin(), subfolders.end(), [](const QFileInfo& a, const QFileInfo& b) {
        int byName = a.fileName().compare(b.fileName(), Qt::CaseInsensitive);
        return byName != 0 ? byName < 0 : a.fileName() < b.fileName();
    });

    // The way down: the root first, then every folder up to the current one.
    QStringList way;
    for (QDir dir(path);;) {
        way.prepend(dir.absolutePath());
        if (!dir.cdUp())
            break;
    }

    clear();
    auto addRow = [this](const QString& folder, int level, FolderIcon icon) {
        auto* row = new QListWidgetItem(lastName(folder), this);
        row->setData(FolderRole, QDir::toNativeSeparators(folder));
        row->setData(LevelRole, level);
        row->setData(IconRole, static_cast<int>(icon));
        return row;
    };
    for (int level = 0; level + 1 < way.size(); ++level)
        addRow(way[level], level, FolderIcon::Opened);
    QListWidgetItem* current = addRow(path, int(way.size()) - 1, FolderIcon::Current);
    for (const QFileInfo& sub : subfolders)
        addRow(sub.absoluteFilePath(), int(way.size()), FolderIcon::Closed);
    setCurrentItem(current);
    scrollToItem(current, QAbstractItemView::EnsureVisible);

    directory_ = QDir::toNativeSeparators(path);
    Q_EMIT directoryChanged(directory_);
}

} // namespace tts::app
