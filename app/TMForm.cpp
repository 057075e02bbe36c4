#include "app/TMForm.h"

#include "app/DriveSelector.h"
#include "app/FolderList.h"
#include "app/Glyphs.h"
#include "app/GradientPanel.h"
#include "app/HandOffFile.h"
#include "app/HelpRequests.h"
#include "app/MessageBoxPresenter.h"
#include "app/ProcessState.h"
#include "app/ShortenedPath.h"
#include "app/UserText.h"
#include "app/Windows1252.h"

#include "base/ErrorText.h"
#include "export/TimetableExport.h"
#include "import/ImportRun.h"
#include "tables/WorkFolder.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

namespace tts::app {

TMForm* MForm = nullptr;

namespace {

constexpr const char* kHelpContext = "helpContext";
constexpr int kWindowHelpContext = 3;
constexpr int kFolderListWidth = 287;

// The fonts of the layout, with metric look-alikes where the originals are not installed.
QFont sansSerif(bool bold) {
    QFont font;
    font.setFamilies({"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arimo",
                      "Nimbus Sans", "Arial"});
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

QFont arialBold16() {
    QFont font;
    font.setFamilies({"Arial", "Liberation Sans", "Arimo", "Nimbus Sans"});
    font.setPixelSize(16);
    font.setBold(true);
    return font;
}

QLabel* label(QWidget* parent, const QString& text, const QFont& font, QColor colour) {
    auto* l = new QLabel(text, parent);
    l->setFont(font);
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, colour);
    l->setPalette(palette);
    return l;
}

// Sized to its text, at its place.
void autoSize(QLabel* l, int left, int top) {
    l->adjustSize();
    l->move(left, top);
}

QPushButton* button(QWidget* parent, const QString& caption, const QIcon& glyph, QRect geometry) {
    auto* b = new QPushButton(glyph, caption, parent);
    b->setIconSize(QSize(18, 18));
    b->setGeometry(geometry);
    b->setFocusPolicy(Qt::StrongFocus);
    b->setAutoDefault(false);
    return b;
}

void lightBackground(QWidget* w) {
    QPalette palette = w->palette();
    palette.setColor(QPalette::Base, QColor(0xF0, 0xFB, 0xFF));
    palette.setColor(QPalette::Button, QColor(0xF0, 0xFB, 0xFF));
    w->setPalette(palette);
}

} // namespace

TMForm::TMForm(std::vector<std::string> arguments, std::shared_ptr<MessagePresenter> messages,
               QWidget* parent)
    : QWidget(parent), arguments_(std::move(arguments)), messages_(std::move(messages)),
      handOffPath_(handOffFilePath()) {
    if (!messages_)
        messages_ = std::make_shared<MessageBoxPresenter>();
    buildControls();
    try {
        FormCreate();
    } catch (const std::exception& error) {
        // Shown before the window: the program then runs standalone.
        showError(error);
    }
}

TMForm::~TMForm() {
    if (busy_)
        QApplication::restoreOverrideCursor();
    embedding_.release(*this);
    if (MForm == this)
        MForm = nullptr;
}

void TMForm::buildControls() {
    setObjectName("MForm");
    setWindowTitle(QStringLiteral("Exportar e importar datos entre Horvane y SICE"));
    setWindowIcon(applicationIcon());
    // A fixed dialog frame with a close box and nothing else.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(599, 270);
    setFont(sansSerif(false));
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);
    setAutoFillBackground(true);

    const QColor warmTop(0xFF, 0xEE, 0xDD), warmMiddle(0xFF, 0xFF, 0xFF),
        warmBottom(0xF9, 0xD3, 0x7D);
    const QColor coolTop(0xCC, 0xD8, 0xE6), coolMiddle(0xCF, 0xF2, 0xFE),
        coolBottom(0xC2, 0xCD, 0xFE);
    const QColor windowText = palette().color(QPalette::WindowText);
    const QColor red(0xFF, 0, 0), blue(0, 0, 0xFF);

    Draw3D2 = new GradientPanel(warmTop, warmMiddle, warmBottom, this);
    Draw3D2->setObjectName("Draw3D2");
    Label3 = label(Draw3D2, QStringLiteral("Transformar datos desde SICE hacia Horvane "),
                   arialBold16(), windowText);
    Label3->setObjectName("Label3");
    Label3->setWordWrap(true);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label3->setGeometry(24, 24, 265, 57);
    BExportar = button(Draw3D2, QStringLiteral("Aceptar"), checkGlyph(), {88, 72, 89, 25});
    BExportar->setObjectName("BExportar");

    Draw3D3 = new GradientPanel(warmTop, warmMiddle, warmBottom, this);
    Draw3D3->setObjectName("Draw3D3");
    Label4 = label(Draw3D3, QStringLiteral("Transformar datos desde Horvane hacia SICE"),
                   arialBold16(), windowText);
    Label4->setObjectName("Label4");
    Label4->setWordWrap(true);
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label4->setGeometry(8, 24, 305, 57);
    BImportar = button(Draw3D3, QStringLiteral("Aceptar"), checkGlyph(), {96, 72, 89, 25});
    BImportar->setObjectName("BImportar");

    Draw3D1 = new GradientPanel(coolTop, coolMiddle, coolBottom, this);
    Draw3D1->setObjectName("Draw3D1");
    Draw3D1->setGeometry(0, 101, 599, 169);
    Label1 =
        label(Draw3D1, QStringLiteral("TransHorvaneSICE para VT20 V-1.0"), sansSerif(true), red);
    Label1->setObjectName("Label1");
    autoSize(Label1, 368, 142);
    Label2 = label(Draw3D1, QString(), sansSerif(true), red);
    Label2->setObjectName("Label2");
    Label2->move(70, 20);
    BClose = button(Draw3D1, QStringLiteral("&Salir"), doorGlyph(), {385, 105, 89, 25});
    BClose->setObjectName("BClose");
    Directorios = new FolderList(Draw3D1);
    Directorios->setObjectName("Directorios");
    Directorios->setGeometry(8, 34, 287, 106);
    lightBackground(Directorios);
    Unidades = new DriveSelector(Draw3D1);
    Unidades->setObjectName("Unidades");
    Unidades->setGeometry(8, 142, 137, 19);
    lightBackground(Unidades);
    Label5 =
        label(Draw3D1, QStringLiteral("Carpeta en la que se encuentran los Ficheros TXT de SICE"),
              sansSerif(false), blue);
    Label5->setObjectName("Label5");
    Label6 = label(Draw3D1, QStringLiteral("Ruta Actual:"), sansSerif(false), blue);
    Label6->setObjectName("Label6");
    for (QLabel* opaque : {Label5, Label6}) {
        QPalette palette = opaque->palette();
        palette.setColor(QPalette::Window, coolTop);
        opaque->setPalette(palette);
        opaque->setAutoFillBackground(true);
    }
    autoSize(Label5, 9, 5);
    autoSize(Label6, 9, 19);
    Button1 = button(Draw3D1, QStringLiteral("F1 AYUDA"), QIcon(), {220, 142, 75, 21});
    Button1->setObjectName("Button1");

    arrangeJobPanels();

    setTabOrder(BExportar, BImportar);
    setTabOrder(BImportar, BClose);
    setTabOrder(BClose, Directorios);
    setTabOrder(Directorios, Unidades);
    setTabOrder(Unidades, Button1);

    for (QWidget* w :
         std::initializer_list<QWidget*>{this, Draw3D2, BExportar, Label4, BImportar, Draw3D1,
                                         BClose, Directorios, Unidades, Button1})
        w->setProperty(kHelpContext, kWindowHelpContext);

    connect(BExportar, &QPushButton::clicked, this, &TMForm::BExportarClick);
    connect(BImportar, &QPushButton::clicked, this, &TMForm::BImportarClick);
    connect(BClose, &QPushButton::clicked, this, &TMForm::BCloseClick);
    connect(Button1, &QPushButton::clicked, this, &TMForm::Button1Click);
    connect(Directorios, &FolderList::directoryChanged, this, &TMForm::showCurrentFolder);
    connect(Directorios, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* row) {
        openFolder(row->data(FolderList::FolderRole).toString());
    });
    connect(Unidades, &QComboBox::activated, this, &TMForm::pickDrive);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &TMForm::helpKey);
    for (QWidget* w : std::initializer_list<QWidget*>{BExportar, BImportar, BClose, Button1,
                                                      Directorios, Unidades})
        w->installEventFilter(this);

    Unidades->setDrives(machineDrives());
    // The working folder the program was started in; should that be gone, somewhere that is not.
    for (const QString& start : {QDir::currentPath(), QDir::homePath(), QDir::rootPath()}) {
        try {
            Directorios->openFolder(start);
            break;
        } catch (const std::exception&) {
        }
    }
}

void TMForm::arrangeJobPanels() {
    const bool left = !Draw3D2->isHidden();
    const bool right = !Draw3D3->isHidden();
    const int upper = 101;
    if (left && right) {
        Draw3D2->setGeometry(0, 0, 289, upper);
        Draw3D3->setGeometry(289, 0, width() - 289, upper);
    } else if (left) {
        Draw3D2->setGeometry(0, 0, width(), upper);
    } else if (right) {
        Draw3D3->setGeometry(0, 0, width(), upper);
    }
}

void TMForm::FormCreate() {
    EstadoTransformado = 0;
    const CallParameters call = interpretCommandLine(arguments_);
    if (!call.embedded)
        return;
    embedding_.embed(*this, call.hostWindow);
    ParametrosLlamada = static_cast<int32_t>(arguments_.size());
    if (call.jobWord == JobWord::Importar)
        Draw3D2->hide();
    if (call.jobWord == JobWord::Exportar)
        Draw3D3->hide();
    arrangeJobPanels();
}

void TMForm::FormClose() {
    if (ParametrosLlamada != 2)
        return;
    writeHandOff(handOffPath_, EstadoTransformado);
}

void TMForm::BExportarClick() {
    guarded([this] { import::runImport(*this, chosenFolder(), tables::workFolder()); });
}

void TMForm::BImportarClick() {
    guarded([this] { exporting::runExport(*this, chosenFolder(), tables::workFolder()); });
}

void TMForm::BCloseClick() {
    close();
}

void TMForm::Button1Click() {
    ApplicationHelpFile = "SICE.chm";
    if (help_)
        guarded([this] { help_->contents(ApplicationHelpFile); });
}

void TMForm::helpKey() {
    // The nearest help context from the focused control outwards.
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        const int context = w->property(kHelpContext).toInt();
        if (context > 0) {
            if (help_)
                guarded([&] { help_->context(context, ApplicationHelpFile); });
            return;
        }
        if (w == this)
            break;
    }
    if (help_)
        guarded([this] { help_->context(kWindowHelpContext, ApplicationHelpFile); });
}

void TMForm::showError(const std::exception& error) {
    messages_->error(userText(withFullStop(error.what())));
}

void TMForm::guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        // An error ends the job: the pointer comes back before the message.
        setBusy(false);
        showError(error);
    }
}

std::string TMForm::chosenFolder() const {
    return QFile::encodeName(Directorios->directory()).toStdString();
}

void TMForm::openFolder(const QString& folder) {
    guarded([&] { Directorios->openFolder(folder); });
}

void TMForm::showCurrentFolder(const QString& folder) {
    const QFontMetrics metrics(Label2->font());
    const std::string shown = shortenedPath(
        folder.toStdString(), kFolderListWidth,
        [&](const std::string& text) {
            return metrics.horizontalAdvance(QString::fromStdString(text));
        },
        QDir::separator().toLatin1());
    Label2->setText(QString::fromStdString(shown));
    Label2->adjustSize();
    Unidades->followFolder(folder);
}

void TMForm::pickDrive(int index) {
    const QString folder = Unidades->folderOfDrive(index);
    guarded([&] { Directorios->openFolder(folder); });
    // After a drive that could not be read the selector goes back to the current folder's.
    Unidades->followFolder(Directorios->directory());
}

QPushButton* TMForm::pressableJobButton() const {
    for (QPushButton* job : {BExportar, BImportar})
        if (job->isVisibleTo(this) && job->isEnabled())
            return job;
    return nullptr;
}

bool TMForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                       (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!enter)
        return QWidget::eventFilter(watched, event);
    if (auto* focused = qobject_cast<QPushButton*>(watched)) {
        if (focused->isEnabled())
            focused->click();
        return true;
    }
    if (watched == Unidades && Unidades->view()->isVisible())
        return false;
    if (QPushButton* job = pressableJobButton()) {
        job->click();
        return true;
    }
    if (watched == Directorios) {
        if (QListWidgetItem* row = Directorios->currentItem())
            openFolder(row->data(FolderList::FolderRole).toString());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TMForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        for (QWidget* first : std::initializer_list<QWidget*>{BExportar, BImportar, BClose})
            if (first->isVisibleTo(this) && first->isEnabled()) {
                first->setFocus(Qt::ActiveWindowFocusReason);
                break;
            }
    }
    FormShow();
}

void TMForm::closeEvent(QCloseEvent* event) {
    try {
        FormClose();
    } catch (const std::exception& error) {
        // The close is abandoned; closing again tries the hand-off again.
        event->ignore();
        showError(error);
        return;
    }
    event->accept();
    Q_EMIT formClosed();
}

void TMForm::showMessage(const std::string& text) {
    messages_->notice(userText(text));
}

void TMForm::setBusy(bool busy) {
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

bool TMForm::isEmbedded() const {
    return ParametrosLlamada == 2;
}

void TMForm::closeWindow() {
    close();
}

void TMForm::disableJobs() {
    BExportar->setEnabled(false);
    BImportar->setEnabled(false);
}

int32_t TMForm::result() const {
    return EstadoTransformado;
}

void TMForm::setResult(int32_t code) {
    EstadoTransformado = code;
}

} // namespace tts::app
