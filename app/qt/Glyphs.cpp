#include "app/qt/Glyphs.h"

#include "app/FormLayout.h"

#include <QDirIterator>
#include <QPainter>
#include <QPainterPath>

namespace tts::app {

namespace {

QColor qColour(Rgb colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

QRect qRect(layout::Box box) {
    return {box.left, box.top, box.width, box.height};
}

template <size_t N> QPolygon qPolygon(const layout::Point (&points)[N]) {
    QPolygon polygon;
    for (const layout::Point& point : points)
        polygon << QPoint(point.x, point.y);
    return polygon;
}

QPixmap canvas(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QIcon checkGlyph() {
    QPixmap pixmap = canvas(layout::kGlyphSize, layout::kGlyphSize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tick;
    tick.moveTo(2.5, 9.5);
    tick.lineTo(7, 14);
    tick.lineTo(15.5, 3.5);
    p.setPen(QPen(qColour(layout::kCheckDark), 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
    p.setPen(QPen(qColour(layout::kCheckLight), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
    return QIcon(pixmap);
}

QIcon doorGlyph() {
    QPixmap pixmap = canvas(layout::kGlyphSize, layout::kGlyphSize);
    QPainter p(&pixmap);
    p.fillRect(qRect(layout::kDoorFrame), qColour(layout::kDoorFrameColour));
    p.fillRect(qRect(layout::kDoorInside), qColour(layout::kDoorInsideColour));
    p.setPen(qColour(layout::kDoorLeafLine));
    p.setBrush(qColour(layout::kDoorLeafFill));
    p.drawPolygon(qPolygon(layout::kDoorLeaf));
    p.setPen(qColour(layout::kDoorKnobColour));
    for (const layout::Point& knob : layout::kDoorKnob)
        p.drawPoint(knob.x, knob.y);
    return QIcon(pixmap);
}

QIcon applicationIcon() {
    // Every size the icon is drawn in, from the resources built into the program.
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/icon"), {QStringLiteral("*.png")});
    while (sizes.hasNext())
        icon.addFile(sizes.next());
    return icon;
}

QPixmap folderIcon(FolderIcon kind) {
    QPixmap pixmap = canvas(layout::kFolderIconWidth, layout::kFolderIconHeight);
    QPainter p(&pixmap);
    const QColor body =
        qColour(kind == FolderIcon::Current ? layout::kFolderCurrent : layout::kFolderOther);
    p.setPen(qColour(layout::kFolderOutline));
    p.setBrush(body);
    p.drawPolygon(qPolygon(layout::kFolderBack));
    if (kind != FolderIcon::Closed) {
        p.setBrush(body.lighter(115));
        p.drawPolygon(qPolygon(layout::kFolderFlap));
    }
    if (kind == FolderIcon::Current) {
        p.setPen(Qt::NoPen);
        p.setBrush(qColour(layout::kFolderDotColour));
        p.drawEllipse(qRect(layout::kFolderDot));
    }
    return pixmap;
}

QPixmap driveIcon(DriveKind kind) {
    QPixmap pixmap = canvas(16, 14);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case DriveKind::CdRom:
        p.setPen(QColor(96, 96, 96));
        p.setBrush(QColor(220, 220, 235));
        p.drawEllipse(QRectF(2, 0.5, 12, 12));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(6.5, 5, 3, 3));
        break;
    case DriveKind::Network:
        p.setPen(QColor(64, 64, 64));
        p.setBrush(QColor(192, 192, 192));
        p.drawRect(QRectF(1.5, 1.5, 13, 6));
        p.drawLine(QPointF(8, 8), QPointF(8, 11));
        p.drawLine(QPointF(2, 12.5), QPointF(14, 12.5));
        p.setPen(QColor(0, 160, 0));
        p.drawPoint(QPointF(12, 4.5));
        break;
    case DriveKind::Home:
        p.setPen(QColor(96, 48, 0));
        p.setBrush(QColor(236, 180, 110));
        p.drawPolygon(
            QPolygonF{{2, 7}, {8, 1.5}, {14, 7}, {12.5, 7}, {12.5, 12.5}, {3.5, 12.5}, {3.5, 7}});
        p.setBrush(QColor(120, 60, 20));
        p.drawRect(QRectF(7, 9, 2.5, 3.5));
        break;
    case DriveKind::Ram:
        p.setPen(QColor(0, 80, 0));
        p.setBrush(QColor(40, 140, 60));
        p.drawRect(QRectF(1.5, 3.5, 13, 6));
        p.setPen(QColor(230, 200, 60));
        for (int x = 3; x < 14; x += 2)
            p.drawLine(QPointF(x, 10), QPointF(x, 12));
        break;
    case DriveKind::Fixed:
    case DriveKind::Removable:
        p.setPen(QColor(64, 64, 64));
        p.setBrush(kind == DriveKind::Fixed ? QColor(200, 200, 200) : QColor(170, 190, 220));
        p.drawRect(QRectF(1.5, 4.5, 13, 6));
        p.setPen(QColor(0, 176, 0));
        p.drawLine(QPointF(11, 8), QPointF(13, 8));
        break;
    }
    return pixmap;
}

} // namespace tts::app
