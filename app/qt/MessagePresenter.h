#pragma once

#include <QString>

namespace tts::app {

// How the window puts a text in front of the user and waits for it to be confirmed. The window
// shows message boxes; the tests put a recorder in their place.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;

    // A job's own notice: modal, centred on the screen, no icon, one button "Aceptar".
    virtual void notice(const QString& text) = 0;

    // What a finished job warns about: as a notice, with the information icon.
    virtual void information(const QString& text) = 0;

    // The top-level error handler's box: modal, stop icon, one button. `text` already has its
    // full stop.
    virtual void error(const QString& text) = 0;
};

} // namespace tts::app
