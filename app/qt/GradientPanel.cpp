#include "app/qt/GradientPanel.h"

#include <QPainter>

namespace tts::app {

namespace {

Rgb rgb(QColor colour) {
    return {static_cast<uint8_t>(colour.red()), static_cast<uint8_t>(colour.green()),
            static_cast<uint8_t>(colour.blue())};
}

} // namespace

GradientPanel::GradientPanel(QColor top, QColor middle, QColor bottom, QWidget* parent)
    : QWidget(parent), top_(top), middle_(middle), bottom_(bottom) {
    // Every pixel is ours; Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage GradientPanel::gradient(QSize size, QColor top, QColor middle, QColor bottom) {
    QImage image(size, QImage::Format_RGB32);
    if (size.isEmpty())
        return image;
    QPainter painter(&image);
    for (const GradientBand& band :
         gradientBands(size.height(), rgb(top), rgb(middle), rgb(bottom)))
        painter.fillRect(0, band.top, size.width(), band.rows,
                         QColor(band.colour.red, band.colour.green, band.colour.blue));
    return image;
}

void GradientPanel::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (buffer_.size() != pixels) {
        QImage image = gradient(size(), top_, middle_, bottom_);
        // A thin raised edge, so that the two job panels stay apart.
        QPainter edge(&image);
        edge.setPen(QColor(255, 255, 255, 160));
        edge.drawLine(0, 0, width() - 1, 0);
        edge.drawLine(0, 0, 0, height() - 1);
        edge.setPen(QColor(0, 0, 0, 60));
        edge.drawLine(0, height() - 1, width() - 1, height() - 1);
        edge.drawLine(width() - 1, 0, width() - 1, height() - 1);
        edge.end();
        buffer_ = QPixmap::fromImage(image.scaled(pixels));
        buffer_.setDevicePixelRatio(ratio);
    }
    QPainter(this).drawPixmap(0, 0, buffer_);
}

} // namespace tts::app
