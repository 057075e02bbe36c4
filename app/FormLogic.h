#pragma once

#include "app/FolderChooser.h"
#include "app/FormView.h"

#include "base/RunHost.h"

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace tts::app {

class HelpRequests;

// What a key does once the form has looked at it.
enum class KeyAction {
    Swallow,        // nothing happens
    PassOn,         // the focused control does its own thing with it
    PressBExportar, // press the button, as a click would
    PressBImportar,
    PressBClose,
    PressButton1,
    OpenSelectedRow, // open the folder of the list's selected row
};

// The main window's behaviour, whatever draws it: start-up and the command line, embedding,
// the hand-off at close, the handlers, which buttons can be pressed, the keyboard rules and the
// folder chooser's state. It is what the jobs talk to while they run. Both front ends (Qt on
// Linux, Win32 on Windows) own one and forward every user action to it.
class FormLogic : public RunHost {
public:
    // `arguments`: the command line without the program's name, Windows-1252 bytes.
    FormLogic(FormView& view, std::vector<std::string> arguments, std::vector<Drive> drives);

    // What the window's creation does once its controls exist: the folder chooser opens the
    // working folder, then FormCreate runs; its error is shown before the window is.
    void create();

    void FormCreate();
    // Throws when the hand-off file cannot be written; the close is then abandoned.
    void FormClose();
    // The last try to write the hand-off file failed: should the program end all the same (the
    // host's window gone), its exit status must not say success.
    bool handOffUnwritten() const { return handOffUnwritten_; }
    void BExportarClick(); // the import of the SICE files into the work tables
    void BImportarClick(); // the export of the timetable into SICE_HORARIO.TXT
    void BCloseClick();
    void Button1Click();
    // A click on one of the four buttons; nothing for another control.
    void click(FormControl button);
    // Carries out what a key decided; `selectedRow`: the folder list's selected row.
    void perform(KeyAction action, int selectedRow);
    // The button a key action presses; Other when it presses none.
    static FormControl buttonPressedBy(KeyAction action);

    // The window is asked to close (close box, the platform's close command, BClose, a job
    // that ended embedded): runs FormClose. False when the close must be abandoned: the
    // hand-off could not be written (the error has been shown), or a job is at work (the busy
    // pointer is on): only the job itself closes the window then, once it has finished.
    bool closeRequested();

    // F1, with the help context of the nearest control that has one (3 everywhere here).
    void helpKey(int helpContext);

    // The folder chooser. Each action shows what fails through the top-level error handler
    // and leaves the chooser as it was.
    const FolderChooser& folders() const { return folders_; }
    void openFolder(const std::string& folder);
    void openRow(int row); // double click, or Enter when no job button takes it
    void pickDrive(int index);
    // `Label2`: the opened folder, shortened to fit the folder list's width in `width`'s font.
    std::string folderCaption(const std::function<int(const std::string&)>& width) const;

    // Which job panels are shown, and whether their buttons can be pressed.
    bool siceToHorvaneShown() const { return siceToHorvaneShown_; }
    bool horvaneToSiceShown() const { return horvaneToSiceShown_; }
    bool canPress(FormControl button) const;
    // Where the keyboard focus goes when the window is first shown.
    FormControl initialFocus() const;
    // Whether `control` can hold the keyboard focus: a hidden or disabled job button cannot.
    bool canTakeFocus(FormControl control) const;
    // Tab (Shift+Tab when `backwards`) with the focus on `focused`: the next control in the
    // keyboard's order that can take the focus; from elsewhere in the window, the first (last).
    FormControl tabKey(FormControl focused, bool backwards) const;
    // Where the focus belongs when it was on `focused`: there if it still can take it, else
    // the next control in the keyboard's order, so that the keys keep working.
    FormControl focusAfter(FormControl focused) const;

    // Enter with the focus on `focused`; `dropDownOpen` when the drive selector's list is open.
    KeyAction enterKey(FormControl focused, bool dropDownOpen) const;
    // Escape presses no button.
    static KeyAction escapeKey() { return KeyAction::Swallow; }
    // Alt with a letter: Alt+S presses BClose.
    static KeyAction altKey(char letter);

    // The top-level error handler: the error's text and a full stop in a stop box.
    void showError(const std::exception& error);
    // Runs a handler; what it throws goes to the top-level error handler.
    void guarded(const std::function<void()>& handler);

    // Where the hand-off goes; next to the executable unless a test says otherwise.
    void setHandOffPath(std::string path) { handOffPath_ = std::move(path); }
    // The help that the help button and F1 ask; nothing happens while there is none.
    void setHelpRequests(HelpRequests* help) { help_ = help; }

    // A job is at work: the busy pointer is on and the window takes no input.
    bool busy() const { return busy_; }

    // RunHost
    void showMessage(const std::string& text) override;
    void showWarnings(const std::vector<std::string>& warnings) override;
    void setBusy(bool busy) override;
    bool isEmbedded() const override;
    void closeWindow() override;
    void disableJobs() override;
    int32_t result() const override;
    void setResult(int32_t code) override;
    void keepAlive() override;

private:
    void runJob(const std::function<void()>& job);

    FormView& view_;
    std::vector<std::string> arguments_;
    FolderChooser folders_;
    std::string handOffPath_;
    HelpRequests* help_ = nullptr;
    bool siceToHorvaneShown_ = true;
    bool horvaneToSiceShown_ = true;
    bool jobsEnabled_ = true;
    bool busy_ = false;
    bool jobRunning_ = false;
    bool handOffUnwritten_ = false;
};

} // namespace tts::app
