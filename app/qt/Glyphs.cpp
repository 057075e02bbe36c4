#include "app/qt/Glyphs.h"

#include "app/Pictures.h"

#include <QDirIterator>
#include <QPainter>
#include <QPolygonF>

namespace tts::app {

namespace {

QColor qColour(Rgb colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

// The shapes' lines run through the pixels' centres, which Qt puts half a unit from their
// corners. Its sharp polygons, though, light the pixels at whole coordinates, which are GDI's
// pixels on the slopes too; at the centres they would lean one pixel aside.
QRectF outlineRect(layout::Box box) {
    return {box.left + 0.5, box.top + 0.5, qreal(box.width), qreal(box.height)};
}

QPolygonF throughCentres(std::span<const pictures::Point> points, qreal centre) {
    QPolygonF polygon;
    for (const pictures::Point& point : points)
        polygon << QPointF(point.x + centre, point.y + centre);
    return polygon;
}

QPixmap draw(const pictures::Picture& picture) {
    using Kind = pictures::Shape::Kind;
    QPixmap pixmap(picture.width, picture.height);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, picture.smooth);
    const qreal pointCentre = picture.smooth ? 0.5 : 0;
    for (const pictures::Shape& shape : picture.shapes) {
        if (shape.kind == Kind::Fill) {
            const layout::Box& box = shape.box;
            p.fillRect(QRect(box.left, box.top, box.width, box.height), qColour(shape.fill));
            continue;
        }
        p.setPen(
            QPen(qColour(shape.line), shape.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(shape.kind == Kind::Polyline ? QBrush(Qt::NoBrush) : qColour(shape.fill));
        switch (shape.kind) {
        case Kind::Rectangle:
            p.drawRect(outlineRect(shape.box));
            break;
        case Kind::Ellipse:
            p.drawEllipse(outlineRect(shape.box));
            break;
        case Kind::Polygon:
            p.drawPolygon(throughCentres(shape.points, pointCentre));
            break;
        case Kind::Polyline:
            p.drawPolyline(throughCentres(shape.points, pointCentre));
            break;
        case Kind::Fill:
            break;
        }
    }
    return pixmap;
}

} // namespace

QIcon glyphIcon(layout::Glyph glyph) {
    const pictures::Picture* picture = pictures::glyph(glyph);
    return picture ? QIcon(draw(*picture)) : QIcon();
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
    return draw(pictures::folder(kind));
}

QPixmap driveIcon(DriveKind kind) {
    return draw(pictures::drive(kind));
}

} // namespace tts::app
