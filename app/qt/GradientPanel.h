#pragma once

#include "app/Gradient.h"

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace tts::app {

// A panel filled with a vertical three-colour gradient (see gradientBands). Painted through a
// buffer kept until the size changes, so repainting never flickers.
class GradientPanel : public QWidget {
    Q_OBJECT
public:
    GradientPanel(QColor top, QColor middle, QColor bottom, QWidget* parent = nullptr);

    // The panel's fill for a given size, without the border.
    static QImage gradient(QSize size, QColor top, QColor middle, QColor bottom);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor top_, middle_, bottom_;
    QPixmap buffer_;
};

} // namespace tts::app
