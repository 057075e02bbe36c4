#include "app/qt/DriveSelector.h"

#include "app/qt/Glyphs.h"
#include "app/qt/QStringConversion.h"

#include "app/Gradient.h"

#include <QAbstractItemView>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QStylePainter>

namespace tts::app {

DriveSelector::DriveSelector(QWidget* parent) : QComboBox(parent) {
    setIconSize(QSize(16, 14));
    const QColor background(colours::chooserBackground.red, colours::chooserBackground.green,
                            colours::chooserBackground.blue);
    QPalette light = palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Button, QPalette::Window})
        light.setColor(role, background);
    setPalette(light);
    // The open list as a plain list in that colour, not a menu in the style's grey.
    setItemDelegate(new QStyledItemDelegate(this));
    view()->setPalette(light);
    view()->setAutoFillBackground(true);
}

void DriveSelector::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    // An edit field's frame, filled with the base colour, and the arrow beside it.
    option.editable = true;
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    option.editable = false;
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void DriveSelector::setDrives(std::vector<Drive> drives) {
    QSignalBlocker quiet(this);
    drives_ = std::move(drives);
    clear();
    for (const Drive& drive : drives_)
        addItem(QIcon(driveIcon(drive.kind)), fromFileName(drive.text()));
}

void DriveSelector::showDrive(int index) {
    QSignalBlocker quiet(this);
    setCurrentIndex(index);
}

} // namespace tts::app
