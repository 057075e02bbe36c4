#pragma once

#include "app/FormLogic.h"
#include "app/FormView.h"
#include "app/qt/HostEmbedding.h"
#include "app/qt/MessagePresenter.h"

#include <QWidget>

#include <exception>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QPushButton;

namespace tts::app {

class DriveSelector;
class FolderList;
class GradientPanel;
class HelpRequests;

// The program's one window drawn with Qt: the two jobs side by side above, the SICE folder
// chooser, the help and the close button below. It draws what its FormLogic decides and
// forwards every user action to it.
class TMForm : public QWidget, private FormView {
    Q_OBJECT
public:
    // `arguments`: the command line without the program's name, Windows-1252. `messages`:
    // where notices and errors go; message boxes when null. FormCreate runs at the end.
    explicit TMForm(std::vector<std::string> arguments,
                    std::shared_ptr<MessagePresenter> messages = nullptr,
                    QWidget* parent = nullptr);
    ~TMForm() override;

    // The members as the layout names them. The names keep the host's point of view: BExportar,
    // under "Transformar datos desde SICE hacia Horvane", runs the import of the SICE files;
    // BImportar the timetable export.
    GradientPanel* Draw3D2;
    QLabel* Label3;
    QPushButton* BExportar;
    GradientPanel* Draw3D3;
    QLabel* Label4;
    QPushButton* BImportar;
    GradientPanel* Draw3D1;
    QLabel* Label1;
    QLabel* Label2;
    QPushButton* BClose;
    FolderList* Directorios;
    DriveSelector* Unidades;
    QLabel* Label5;
    QLabel* Label6;
    QPushButton* Button1;

    FormLogic& logic() { return logic_; }

    // The handlers, as the form has them.
    void BExportarClick() { logic_.BExportarClick(); }
    void showError(const std::exception& error) { logic_.showError(error); }

    // Where the hand-off goes; next to the executable unless a test says otherwise.
    void setHandOffPath(const QString& path);
    void setHelpRequests(HelpRequests* help) { logic_.setHelpRequests(help); }

    bool isEmbedded() const { return logic_.isEmbedded(); }
    void disableJobs() { logic_.disableJobs(); }

Q_SIGNALS:
    // The close went through: the program may end.
    void formClosed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // FormView
    void showJobPanels(bool siceToHorvane, bool horvaneToSice) override;
    void disableJobButtons() override;
    FormControl focusedControl() const override;
    void focusControl(FormControl control) override;
    void embedInHost(uint32_t handle) override;
    void showFolders() override;
    void closeWindow() override;
    void setBusyPointer(bool busy) override;
    void keepAlive() override;
    void notice(const std::string& text) override;
    void information(const std::string& text) override;
    void error(const std::string& text) override;

    void buildControls();
    void helpKey();
    bool isInside(const QObject* object) const;

    std::shared_ptr<MessagePresenter> messages_;
    HostEmbedding embedding_;
    FormControls<QWidget*> controls_;
    FormLogic logic_;
    bool shownOnce_ = false;
    bool discardingInput_ = false;
};

// The one main window, once start-up has created it.
extern TMForm* MForm;

} // namespace tts::app
