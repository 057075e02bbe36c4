#include "app/qt/FolderList.h"

#include "app/FormLayout.h"
#include "app/qt/Glyphs.h"
#include "app/qt/QStringConversion.h"

#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace tts::app {

namespace {

constexpr int kIndentStep = layout::kFolderIndentStep;
constexpr int kRowHeight = layout::kFolderRowHeight;

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

} // namespace

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new IndentedRowDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void FolderList::showFolders(const FolderChooser& folders) {
    clear();
    for (const FolderRow& folder : folders.rows()) {
        auto* row = new QListWidgetItem(fromFileName(folder.name), this);
        row->setData(FolderRole, fromFileName(folder.path));
        row->setData(LevelRole, folder.level);
        row->setData(IconRole, static_cast<int>(folder.icon));
    }
    if (QListWidgetItem* current = item(folders.currentRow())) {
        setCurrentItem(current);
        scrollToItem(current, QAbstractItemView::EnsureVisible);
    }
    directory_ = fromFileName(folders.directory());
}

} // namespace tts::app
