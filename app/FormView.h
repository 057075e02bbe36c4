#pragma once

#include "app/FormControl.h"

#include <cstdint>
#include <string>

namespace tts::app {

// What the form's behaviour (FormLogic) needs of a window toolkit. A front end draws what the
// form decides and forwards the user's actions to it; it decides nothing itself.
class FormView {
public:
    virtual ~FormView() = default;

    // Which job panels are shown; a panel shown alone fills the upper area.
    virtual void showJobPanels(bool siceToHorvane, bool horvaneToSice) = 0;
    // Both job buttons go grey for the rest of the program's life.
    virtual void disableJobButtons() = 0;

    // The control that has the keyboard focus (Other: none of them, or the window itself).
    virtual FormControl focusedControl() const = 0;
    // Gives `control` the keyboard focus.
    virtual void focusControl(FormControl control) = 0;

    // Makes the window a child of the host's window named by its native handle, without border
    // or title bar, at (2, 2) of the host's client area.
    virtual void embedInHost(uint32_t handle) = 0;

    // The folder chooser changed (opened folder, rows or drive): redraw the list, `Label2` and
    // `Unidades` from FormLogic::folders().
    virtual void showFolders() = 0;

    // Starts closing the window the way its close box does; the front end then asks
    // FormLogic::closeRequested() whether it may.
    virtual void closeWindow() = 0;

    // The busy pointer over all of the program's windows, on or off.
    virtual void setBusyPointer(bool busy) = 0;
    // Repaint what needs it, take no input (see RunHost::keepAlive).
    virtual void keepAlive() = 0;

    // A job's notice: modal, centred on the screen, no icon, the application title, one button
    // "Aceptar". Windows-1252 bytes (a path inside it in the file system's encoding).
    virtual void notice(const std::string& text) = 0;
    // What a finished job warns about, after its "Proceso finalizado": as a notice, with the
    // information icon.
    virtual void information(const std::string& text) = 0;
    // The top-level error handler's box: modal, stop icon, application title, one button. The
    // text already has its full stop.
    virtual void error(const std::string& text) = 0;
};

} // namespace tts::app
