#pragma once

#include <QApplication>

namespace tts::app {

// The application, with the last line of the top-level error handler: an error that escapes
// an event's handler is shown like any other, and the program goes on.
class TopLevelApplication : public QApplication {
    Q_OBJECT
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace tts::app
