#include "app/qt/TMForm.h"

#include "app/qt/DriveSelector.h"
#include "app/qt/FolderList.h"
#include "app/qt/Glyphs.h"
#include "app/qt/GradientPanel.h"
#include "app/qt/MessageBoxPresenter.h"
#include "app/qt/UserText.h"
#include "app/WordWrap.h"

#include <QAbstractEventDispatcher>
#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
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

// A word-wrapped label of fixed size, broken into lines where the Windows window breaks it: the
// toolkit's own wrapping measures in fractions of a pixel and would keep a word on a line that
// then runs into the panel's edge.
QLabel* wrappedLabel(QWidget* parent, const std::string& text, QRect geometry, QColor colour) {
    QLabel* l = label(parent, QString(), arialBold16(), colour);
    const QFontMetrics metrics(l->font());
    QStringList lines;
    for (const std::string& line : wrappedLines(text, geometry.width(), [&](char c) {
             return metrics.horizontalAdvance(userText(std::string_view(&c, 1)));
         }))
        lines << userText(line);
    l->setText(lines.join(QLatin1Char('\n')));
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setGeometry(geometry);
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

QColor qColour(Rgb colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

QString fromBytes(const std::string& bytes) {
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        return true;
    default:
        return false;
    }
}

} // namespace

TMForm::TMForm(std::vector<std::string> arguments, std::shared_ptr<MessagePresenter> messages,
               QWidget* parent)
    : QWidget(parent), messages_(std::move(messages)),
      logic_(*this, std::move(arguments), machineDrives()) {
    if (!messages_)
        messages_ = std::make_shared<MessageBoxPresenter>();
    buildControls();
    logic_.create();
}

TMForm::~TMForm() {
    if (logic_.busy()) {
        qApp->removeEventFilter(this);
        QApplication::restoreOverrideCursor();
    }
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

    const QColor warmTop = qColour(colours::warmTop), warmMiddle = qColour(colours::warmMiddle),
                 warmBottom = qColour(colours::warmBottom);
    const QColor coolTop = qColour(colours::coolTop), coolMiddle = qColour(colours::coolMiddle),
                 coolBottom = qColour(colours::coolBottom);
    const QColor windowText = palette().color(QPalette::WindowText);
    const QColor red = qColour(colours::red), blue = qColour(colours::blue);

    Draw3D2 = new GradientPanel(warmTop, warmMiddle, warmBottom, this);
    Draw3D2->setObjectName("Draw3D2");
    Label3 = wrappedLabel(Draw3D2, "Transformar datos desde SICE hacia Horvane ", {24, 24, 265, 57},
                          windowText);
    Label3->setObjectName("Label3");
    BExportar = button(Draw3D2, QStringLiteral("Aceptar"), checkGlyph(), {88, 72, 89, 25});
    BExportar->setObjectName("BExportar");

    Draw3D3 = new GradientPanel(warmTop, warmMiddle, warmBottom, this);
    Draw3D3->setObjectName("Draw3D3");
    Label4 = wrappedLabel(Draw3D3, "Transformar datos desde Horvane hacia SICE", {8, 24, 305, 57},
                          windowText);
    Label4->setObjectName("Label4");
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

    showJobPanels(true, true);

    setTabOrder(BExportar, BImportar);
    setTabOrder(BImportar, BClose);
    setTabOrder(BClose, Directorios);
    setTabOrder(Directorios, Unidades);
    setTabOrder(Unidades, Button1);

    for (QWidget* w :
         std::initializer_list<QWidget*>{this, Draw3D2, BExportar, Label4, BImportar, Draw3D1,
                                         BClose, Directorios, Unidades, Button1})
        w->setProperty(kHelpContext, kWindowHelpContext);

    connect(BExportar, &QPushButton::clicked, this, [this] { logic_.BExportarClick(); });
    connect(BImportar, &QPushButton::clicked, this, [this] { logic_.BImportarClick(); });
    connect(BClose, &QPushButton::clicked, this, [this] { logic_.BCloseClick(); });
    connect(Button1, &QPushButton::clicked, this, [this] { logic_.Button1Click(); });
    connect(Directorios, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* row) { logic_.openRow(Directorios->row(row)); });
    connect(Unidades, &QComboBox::activated, this, [this](int index) { logic_.pickDrive(index); });
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &TMForm::helpKey);
    for (QWidget* w : std::initializer_list<QWidget*>{BExportar, BImportar, BClose, Button1,
                                                      Directorios, Unidades})
        w->installEventFilter(this);

    Unidades->setDrives(logic_.folders().drives());
}

void TMForm::showJobPanels(bool siceToHorvane, bool horvaneToSice) {
    Draw3D2->setVisible(siceToHorvane);
    Draw3D3->setVisible(horvaneToSice);
    const int upper = 101;
    if (siceToHorvane && horvaneToSice) {
        Draw3D2->setGeometry(0, 0, 289, upper);
        Draw3D3->setGeometry(289, 0, width() - 289, upper);
    } else if (siceToHorvane) {
        Draw3D2->setGeometry(0, 0, width(), upper);
    } else if (horvaneToSice) {
        Draw3D3->setGeometry(0, 0, width(), upper);
    }
}

void TMForm::disableJobButtons() {
    BExportar->setEnabled(false);
    BImportar->setEnabled(false);
}

FormControl TMForm::focusedControl() const {
    return controlOf(QApplication::focusWidget());
}

void TMForm::focusControl(FormControl control) {
    if (QWidget* w = widgetOf(control))
        w->setFocus(Qt::TabFocusReason);
}

void TMForm::embedInHost(uint32_t handle) {
    embedding_.embed(*this, handle);
}

void TMForm::showFolders() {
    const FolderChooser& folders = logic_.folders();
    Directorios->showFolders(folders);
    const QFontMetrics metrics(Label2->font());
    Label2->setText(fromBytes(logic_.folderCaption(
        [&](const std::string& text) { return metrics.horizontalAdvance(fromBytes(text)); })));
    Label2->adjustSize();
    Unidades->showDrive(folders.currentDrive());
}

void TMForm::closeWindow() {
    close();
}

void TMForm::setBusyPointer(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        // Clicks and keys meant for the window while a job works are dropped, not kept for
        // later: the user would otherwise start what was not meant once the job ends.
        discardingInput_ = true;
        qApp->installEventFilter(this);
        return;
    }
    // What the window system held back meanwhile arrives now, and is dropped. The dispatcher
    // is woken first: held-back input alone does not wake it.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->wakeUp();
    QCoreApplication::processEvents();
    discardingInput_ = false;
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
}

void TMForm::keepAlive() {
    // Paint what was uncovered; user input stays queued, to be dropped when the job ends.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TMForm::notice(const std::string& text) {
    messages_->notice(userText(text));
}

void TMForm::error(const std::string& text) {
    messages_->error(userText(text));
}

void TMForm::setHandOffPath(const QString& path) {
    logic_.setHandOffPath(QFile::encodeName(path).toStdString());
}

QString TMForm::handOffPath() const {
    return fromBytes(logic_.handOffPath());
}

void TMForm::helpKey() {
    // The nearest help context from the focused control outwards.
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        const int context = w->property(kHelpContext).toInt();
        if (context > 0) {
            logic_.helpKey(context);
            return;
        }
        if (w == this)
            break;
    }
    logic_.helpKey(kWindowHelpContext);
}

FormControl TMForm::controlOf(const QObject* watched) const {
    for (FormControl control :
         {FormControl::BExportar, FormControl::BImportar, FormControl::BClose, FormControl::Button1,
          FormControl::Directorios, FormControl::Unidades})
        if (widgetOf(control) == watched)
            return control;
    return FormControl::Other;
}

QWidget* TMForm::widgetOf(FormControl control) const {
    switch (control) {
    case FormControl::BExportar:
        return BExportar;
    case FormControl::BImportar:
        return BImportar;
    case FormControl::BClose:
        return BClose;
    case FormControl::Button1:
        return Button1;
    case FormControl::Directorios:
        return Directorios;
    case FormControl::Unidades:
        return Unidades;
    default:
        return nullptr;
    }
}

bool TMForm::isInside(const QObject* object) const {
    for (; object; object = object->parent())
        if (object == this)
            return true;
    return false;
}

bool TMForm::eventFilter(QObject* watched, QEvent* event) {
    if (discardingInput_ && isUserInput(event->type()) && isInside(watched))
        return true;
    if (event->type() != QEvent::KeyPress || !isInside(watched))
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool tab = (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
                     (key->modifiers() & ~Qt::ShiftModifier) == Qt::NoModifier;
    if (tab && controlOf(watched) != FormControl::Other) {
        // The form's own order, which steps over what cannot take the focus.
        focusControl(logic_.tabKey(controlOf(watched), key->key() == Qt::Key_Backtab ||
                                                           key->modifiers() & Qt::ShiftModifier));
        return true;
    }
    const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                       (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const FormControl focused = controlOf(watched);
    if (!enter || focused == FormControl::Other)
        return QWidget::eventFilter(watched, event);
    switch (logic_.enterKey(focused, Unidades->view()->isVisible())) {
    case KeyAction::Swallow:
        return true;
    case KeyAction::PassOn:
        return false;
    case KeyAction::PressBExportar:
        BExportar->click();
        return true;
    case KeyAction::PressBImportar:
        BImportar->click();
        return true;
    case KeyAction::PressBClose:
        BClose->click();
        return true;
    case KeyAction::PressButton1:
        Button1->click();
        return true;
    case KeyAction::OpenSelectedRow:
        logic_.openRow(Directorios->currentRow());
        return true;
    }
    return false;
}

void TMForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        if (QWidget* first = widgetOf(logic_.initialFocus()))
            first->setFocus(Qt::ActiveWindowFocusReason);
    }
    logic_.FormShow();
}

void TMForm::closeEvent(QCloseEvent* event) {
    if (!logic_.closeRequested()) {
        // Closing again tries the hand-off again.
        event->ignore();
        return;
    }
    event->accept();
    Q_EMIT formClosed();
}

} // namespace tts::app
