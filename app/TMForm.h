#pragma once

#include "app/CallParameters.h"
#include "app/HostEmbedding.h"
#include "app/MessagePresenter.h"

#include "base/RunHost.h"

#include <QWidget>

#include <exception>
#include <functional>
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

// The program's one window: the two jobs side by side above, the SICE folder chooser, the help
// and the close button below. It is also what the jobs talk to while they run.
class TMForm : public QWidget, public RunHost {
    Q_OBJECT
public:
    // `arguments`: the command line without the program's name, Windows-1252. `messages`:
    // where notices and errors go; message boxes when null. FormCreate runs at the end.
    explicit TMForm(std::vector<std::string> arguments,
                    std::shared_ptr<MessagePresenter> messages = nullptr,
                    QWidget* parent = nullptr);
    ~TMForm() override;

    // The members as the layout names them.
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

    void FormCreate();
    void FormShow() {}
    // Throws when the hand-off file cannot be written; the close is then abandoned.
    void FormClose();
    void BExportarClick();
    void BImportarClick();
    void BCloseClick();
    void Button1Click();

    // The top-level error handler: the error's text and a full stop in a stop box.
    void showError(const std::exception& error);

    // Where the hand-off goes; next to the executable unless a test says otherwise.
    void setHandOffPath(const QString& path) { handOffPath_ = path; }
    QString handOffPath() const { return handOffPath_; }

    // The help that the help button and F1 ask; nothing happens while there is none.
    void setHelpRequests(HelpRequests* help) { help_ = help; }

    // RunHost
    void showMessage(const std::string& text) override;
    void setBusy(bool busy) override;
    bool isEmbedded() const override;
    void closeWindow() override;
    void disableJobs() override;
    int32_t result() const override;
    void setResult(int32_t code) override;

Q_SIGNALS:
    // The close went through: the program may end.
    void formClosed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void arrangeJobPanels();
    void openFolder(const QString& folder);
    void showCurrentFolder(const QString& folder);
    void pickDrive(int index);
    void helpKey();
    QPushButton* pressableJobButton() const;
    std::string chosenFolder() const;
    // Runs a handler; what it throws goes to the top-level error handler.
    void guarded(const std::function<void()>& handler);

    std::vector<std::string> arguments_;
    std::shared_ptr<MessagePresenter> messages_;
    QString handOffPath_;
    HelpRequests* help_ = nullptr;
    HostEmbedding embedding_;
    bool busy_ = false;
    bool shownOnce_ = false;
};

// The one main window, once start-up has created it.
extern TMForm* MForm;

} // namespace tts::app
