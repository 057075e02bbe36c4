#include "app/FormLogic.h"

#include "app/CallParameters.h"
#include "app/FormLayout.h"
#include "app/HandOffFile.h"
#include "app/HelpRequests.h"
#include "app/ProcessState.h"
#include "app/ShortenedPath.h"
#include "app/WarningMessage.h"

#include "base/ErrorText.h"
#include "base/platform/Environment.h"
#include "base/platform/Folders.h"
#include "export/TimetableExport.h"
#include "import/ImportRun.h"
#include "tables/WorkFolder.h"

#include <iterator>

namespace tts::app {

namespace {

constexpr const auto& kTabOrder = layout::kKeyboardOrder;
constexpr int kTabStops = static_cast<int>(std::size(kTabOrder));

int tabPosition(FormControl control) {
    for (int position = 0; position < kTabStops; ++position)
        if (kTabOrder[position] == control)
            return position;
    return -1;
}

} // namespace

FormLogic::FormLogic(FormView& view, std::vector<std::string> arguments, std::vector<Drive> drives)
    : view_(view), arguments_(std::move(arguments)), folders_(std::move(drives)),
      handOffPath_(handOffFilePath()) {}

void FormLogic::create() {
    // The working folder the program was started in; should that be gone, somewhere that is not.
    std::vector<std::string> starts;
    if (const std::string working = platform::currentFolder(); !working.empty())
        starts.push_back(working);
    for (const char* variable : {"HOME", "USERPROFILE"})
        if (const std::string home = platform::environmentValue(variable); !home.empty())
            starts.push_back(home);
    starts.push_back(std::string(1, pathSeparator()));
    for (const std::string& start : starts) {
        try {
            folders_.openFolder(start);
            break;
        } catch (const std::exception&) {
        }
    }
    view_.showFolders();
    // Shown before the window: the program then runs standalone.
    guarded([this] { FormCreate(); });
}

void FormLogic::FormCreate() {
    EstadoTransformado = 0;
    const CallParameters call = interpretCommandLine(arguments_);
    if (!call.embedded)
        return;
    view_.embedInHost(call.hostWindow);
    ParametrosLlamada = static_cast<int32_t>(arguments_.size());
    if (call.jobWord == JobWord::Importar)
        siceToHorvaneShown_ = false;
    if (call.jobWord == JobWord::Exportar)
        horvaneToSiceShown_ = false;
    view_.showJobPanels(siceToHorvaneShown_, horvaneToSiceShown_);
}

void FormLogic::FormClose() {
    if (ParametrosLlamada != 2)
        return;
    writeHandOff(handOffPath_, EstadoTransformado);
}

void FormLogic::BExportarClick() {
    if (canPress(FormControl::BExportar))
        runJob([this] { import::runImport(*this, folders_.directory(), tables::workFolder()); });
}

void FormLogic::BImportarClick() {
    if (canPress(FormControl::BImportar))
        runJob([this] { exporting::runExport(*this, folders_.directory(), tables::workFolder()); });
}

void FormLogic::runJob(const std::function<void()>& job) {
    // One job at a time, whatever a window system lets through while a message box waits.
    if (jobRunning_)
        return;
    jobRunning_ = true;
    guarded(job);
    jobRunning_ = false;
}

void FormLogic::BCloseClick() {
    view_.closeWindow();
}

void FormLogic::Button1Click() {
    ApplicationHelpFile = HelpFileName;
    if (help_)
        guarded([this] { help_->contents(ApplicationHelpFile); });
}

void FormLogic::click(FormControl button) {
    switch (button) {
    case FormControl::BExportar:
        BExportarClick();
        break;
    case FormControl::BImportar:
        BImportarClick();
        break;
    case FormControl::BClose:
        BCloseClick();
        break;
    case FormControl::Button1:
        Button1Click();
        break;
    default:
        break;
    }
}

void FormLogic::perform(KeyAction action, int selectedRow) {
    if (action == KeyAction::OpenSelectedRow)
        openRow(selectedRow);
    else
        click(buttonPressedBy(action));
}

FormControl FormLogic::buttonPressedBy(KeyAction action) {
    switch (action) {
    case KeyAction::PressBExportar:
        return FormControl::BExportar;
    case KeyAction::PressBImportar:
        return FormControl::BImportar;
    case KeyAction::PressBClose:
        return FormControl::BClose;
    case KeyAction::PressButton1:
        return FormControl::Button1;
    default:
        return FormControl::Other;
    }
}

bool FormLogic::closeRequested() {
    if (busy_)
        return false;
    try {
        FormClose();
    } catch (const std::exception& error) {
        // Closing again tries the hand-off again.
        showError(error);
        return false;
    }
    return true;
}

void FormLogic::helpKey(int helpContext) {
    if (help_)
        guarded([&] {
            help_->context(helpContext > 0 ? helpContext : layout::kHelpContext,
                           ApplicationHelpFile);
        });
}

void FormLogic::openFolder(const std::string& folder) {
    guarded([&] { folders_.openFolder(folder); });
    view_.showFolders();
}

void FormLogic::openRow(int row) {
    if (row >= 0 && row < static_cast<int>(folders_.rows().size()))
        openFolder(folders_.rows()[size_t(row)].path);
}

void FormLogic::pickDrive(int index) {
    const std::string folder = folders_.folderOfDrive(index);
    if (!folder.empty())
        guarded([&] { folders_.openFolder(folder); });
    // After a drive that could not be read the selector goes back to the opened folder's.
    view_.showFolders();
}

std::string FormLogic::folderCaption(const std::function<int(const std::string&)>& width) const {
    return shortenedPath(folders_.directory(), layout::kFolderList.width, width, pathSeparator());
}

bool FormLogic::canPress(FormControl button) const {
    switch (button) {
    case FormControl::BExportar:
        return siceToHorvaneShown_ && jobsEnabled_;
    case FormControl::BImportar:
        return horvaneToSiceShown_ && jobsEnabled_;
    case FormControl::BClose:
    case FormControl::Button1:
        return true;
    default:
        return false;
    }
}

FormControl FormLogic::initialFocus() const {
    for (FormControl first : {FormControl::BExportar, FormControl::BImportar})
        if (canPress(first))
            return first;
    return FormControl::BClose;
}

bool FormLogic::canTakeFocus(FormControl control) const {
    switch (control) {
    case FormControl::BExportar:
    case FormControl::BImportar:
        return canPress(control);
    case FormControl::Other:
        return false;
    default:
        return true;
    }
}

FormControl FormLogic::tabKey(FormControl focused, bool backwards) const {
    const int step = backwards ? kTabStops - 1 : 1;
    int position = tabPosition(focused);
    if (position < 0)
        position = backwards ? 0 : kTabStops - 1; // from outside the order: its first or last
    for (int tried = 0; tried < kTabStops; ++tried) {
        position = (position + step) % kTabStops;
        if (canTakeFocus(kTabOrder[position]))
            return kTabOrder[position];
    }
    return focused;
}

FormControl FormLogic::focusAfter(FormControl focused) const {
    if (focused == FormControl::Other || canTakeFocus(focused))
        return focused;
    return tabKey(focused, false);
}

KeyAction FormLogic::enterKey(FormControl focused, bool dropDownOpen) const {
    switch (focused) {
    case FormControl::BExportar:
        return canPress(focused) ? KeyAction::PressBExportar : KeyAction::Swallow;
    case FormControl::BImportar:
        return canPress(focused) ? KeyAction::PressBImportar : KeyAction::Swallow;
    case FormControl::BClose:
        return KeyAction::PressBClose;
    case FormControl::Button1:
        return KeyAction::PressButton1;
    default:
        break;
    }
    if (focused == FormControl::Unidades && dropDownOpen)
        return KeyAction::PassOn;
    // Both job buttons are default buttons: the first that can be pressed takes Enter.
    if (canPress(FormControl::BExportar))
        return KeyAction::PressBExportar;
    if (canPress(FormControl::BImportar))
        return KeyAction::PressBImportar;
    if (focused == FormControl::Directorios)
        return KeyAction::OpenSelectedRow;
    return KeyAction::PassOn;
}

KeyAction FormLogic::altKey(char letter) {
    return letter == 's' || letter == 'S' ? KeyAction::PressBClose : KeyAction::PassOn;
}

void FormLogic::showError(const std::exception& error) {
    view_.error(withFullStop(error.what()));
}

void FormLogic::guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        // A job's BusyPointer has already given the pointer back: the message shows without it.
        showError(error);
    }
}

void FormLogic::showMessage(const std::string& text) {
    view_.notice(text);
}

void FormLogic::showWarnings(const std::vector<std::string>& warnings) {
    if (const std::string text = warningMessage(warnings); !text.empty())
        view_.information(text);
}

void FormLogic::setBusy(bool busy) {
    if (busy == busy_)
        return;
    busy_ = busy;
    view_.setBusyPointer(busy);
}

bool FormLogic::isEmbedded() const {
    return ParametrosLlamada == 2;
}

void FormLogic::closeWindow() {
    view_.closeWindow();
}

void FormLogic::disableJobs() {
    // Asked before the buttons go grey: a window system may drop the focus of a disabled control.
    const FormControl focused = view_.focusedControl();
    jobsEnabled_ = false;
    view_.disableJobButtons();
    if (const FormControl next = focusAfter(focused); next != focused)
        view_.focusControl(next);
}

int32_t FormLogic::result() const {
    return EstadoTransformado;
}

void FormLogic::setResult(int32_t code) {
    EstadoTransformado = code;
}

void FormLogic::keepAlive() {
    if (busy_)
        view_.keepAlive();
}

} // namespace tts::app
