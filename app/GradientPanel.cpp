#include "app/GradientPanel.h"

#include <QPainter>

#include <algorithm>

namespace tts::app {

namespace {

int blend(int from, int to, int step, int steps) {
    return steps <= 1 ? from : from + (to - from) * step / (steps - 1);
}

// Rows [top, top + rows) blended from `from` to `to`.
void fillHalf(QPainter& painter, int width, int top, int rows, QColor from, QColor to) {
    const int bands = std::min(rows, 256);
    for (int band = 0; band < bands; ++band) {
        const int y0 = top + band * rows / bands;
        const int y1 = top + (band + 1) * rows / bands;
        painter.fillRect(0, y0, width, y1 - y0,
                         QColor(blend(from.red(), to.red(), band, bands),
                                blend(from.green(), to.green(), band, bands),
                                blend(from.blue(), to.blue(), band, bands)));
    }
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
    const int upper = size.height() / 2;
    fillHalf(painter, size.width(), 0, upper, top, middle);
    fillHalf(painter, size.width(), upper, size.height() - upper, middle, bottom);
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
