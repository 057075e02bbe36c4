#include "app/qt/TMForm.h"

#include "app/qt/DriveSelector.h"
#include "app/qt/FolderList.h"
#include "app/qt/Glyphs.h"
#include "app/qt/GradientPanel.h"
#include "app/qt/MessageBoxPresenter.h"
#include "app/qt/QStringConversion.h"
#include "app/qt/UserText.h"
#include "app/FormLayout.h"
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

QFont qFont(const layout::Font& look) {
    QFont font;
    QStringList families;
    for (const char* face : look.faces)
        families << QString::fromLatin1(face);
    font.setFamilies(families);
    font.setPixelSize(look.pixels);
    font.setBold(look.bold);
    return font;
}

QRect qRect(layout::Box box) {
    return {box.left, box.top, box.width, box.height};
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
void wrapInto(QLabel* l, const std::string& text, QRect geometry) {
    const QFontMetrics metrics(l->font());
    QStringList lines;
    for (const std::string& line : wrappedLines(text, geometry.width(), [&](char c) {
             return metrics.horizontalAdvance(userText(std::string_view(&c, 1)));
         }))
        lines << userText(line);
    l->setText(lines.join(QLatin1Char('\n')));
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setGeometry(geometry);
}

QPushButton* button(QWidget* parent, const layout::ButtonLook& look) {
    auto* b = new QPushButton(glyphIcon(look.glyph), userText(look.caption), parent);
    b->setObjectName(QString::fromLatin1(look.name));
    b->setIconSize(QSize(layout::kGlyphSize, layout::kGlyphSize));
    b->setGeometry(qRect(look.box));
    b->setFocusPolicy(Qt::StrongFocus);
    b->setAutoDefault(false);
    return b;
}

QColor qColour(Rgb colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

void lightBackground(QWidget* w) {
    QPalette palette = w->palette();
    palette.setColor(QPalette::Base, qColour(colours::chooserBackground));
    palette.setColor(QPalette::Button, qColour(colours::chooserBackground));
    w->setPalette(palette);
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
    setWindowTitle(userText(layout::kCaption));
    setWindowIcon(applicationIcon());
    // A fixed dialog frame with a close box and nothing else.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(layout::kClientWidth, layout::kClientHeight);
    setFont(qFont(layout::kControlFont));
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);
    setAutoFillBackground(true);
    setProperty(kHelpContext, layout::kHelpContext);

    const auto textColour = [this](layout::TextColour colour) {
        switch (colour) {
        case layout::TextColour::Red:
            return qColour(colours::red);
        case layout::TextColour::Blue:
            return qColour(colours::blue);
        case layout::TextColour::Window:
            break;
        }
        return palette().color(QPalette::WindowText);
    };

    GradientPanel* panels[std::size(layout::kPanels)];
    for (size_t index = 0; index < std::size(layout::kPanels); ++index) {
        const layout::PanelLook& look = layout::kPanels[index];
        panels[index] =
            new GradientPanel(qColour(look.top), qColour(look.middle), qColour(look.bottom), this);
        panels[index]->setObjectName(QString::fromLatin1(look.name));
        panels[index]->setGeometry(qRect(look.box));
        if (look.helpContext > 0)
            panels[index]->setProperty(kHelpContext, look.helpContext);
    }
    const auto panelOf = [&](layout::Panel panel) { return panels[static_cast<int>(panel)]; };
    Draw3D2 = panelOf(layout::Panel::SiceToHorvane);
    Draw3D3 = panelOf(layout::Panel::HorvaneToSice);
    Draw3D1 = panelOf(layout::Panel::Folders);

    QLabel* labels[std::size(layout::kLabels)];
    for (size_t index = 0; index < std::size(layout::kLabels); ++index) {
        const layout::LabelLook& look = layout::kLabels[index];
        QLabel* l =
            label(panelOf(look.panel), QString(), qFont(look.font), textColour(look.colour));
        l->setObjectName(QString::fromLatin1(look.name));
        if (look.opaque) {
            QPalette palette = l->palette();
            palette.setColor(QPalette::Window, qColour(layout::look(look.panel).top));
            l->setPalette(palette);
            l->setAutoFillBackground(true);
        }
        if (look.wordWrap) {
            wrapInto(l, look.text, qRect(look.box));
        } else {
            // Sized to its text, at its place.
            l->setText(userText(look.text));
            l->adjustSize();
            l->move(look.box.left, look.box.top);
        }
        labels[index] = l;
    }
    Label3 = labels[0];
    Label4 = labels[1];
    Label1 = labels[2];
    Label2 = labels[layout::kFolderCaptionLabel];
    Label5 = labels[4];
    Label6 = labels[5];

    QPushButton* buttons[std::size(layout::kButtons)];
    for (size_t index = 0; index < std::size(layout::kButtons); ++index) {
        buttons[index] = button(panelOf(layout::kButtons[index].panel), layout::kButtons[index]);
        buttons[index]->setProperty(kHelpContext, layout::kHelpContext);
        const FormControl control = layout::kButtons[index].control;
        connect(buttons[index], &QPushButton::clicked, this,
                [this, control] { logic_.click(control); });
    }
    BExportar = buttons[0];
    BImportar = buttons[1];
    BClose = buttons[2];
    Button1 = buttons[3];

    Directorios = new FolderList(Draw3D1);
    Directorios->setObjectName("Directorios");
    Directorios->setGeometry(qRect(layout::kFolderList));
    Unidades = new DriveSelector(Draw3D1);
    Unidades->setObjectName("Unidades");
    Unidades->setGeometry(qRect(layout::kDriveSelector));
    for (QWidget* chooser : std::initializer_list<QWidget*>{Directorios, Unidades}) {
        lightBackground(chooser);
        chooser->setProperty(kHelpContext, layout::kHelpContext);
    }
    controls_ = {BExportar, BImportar, BClose, Button1, Directorios, Unidades};

    showJobPanels(true, true);

    for (size_t position = 1; position < std::size(layout::kKeyboardOrder); ++position)
        setTabOrder(controls_.of(layout::kKeyboardOrder[position - 1]),
                    controls_.of(layout::kKeyboardOrder[position]));

    connect(Directorios, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* row) { logic_.openRow(Directorios->row(row)); });
    connect(Unidades, &QComboBox::activated, this, [this](int index) { logic_.pickDrive(index); });
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &TMForm::helpKey);
    for (FormControl control : layout::kKeyboardOrder)
        controls_.of(control)->installEventFilter(this);

    Unidades->setDrives(logic_.folders().drives());
}

void TMForm::showJobPanels(bool siceToHorvane, bool horvaneToSice) {
    Draw3D2->setVisible(siceToHorvane);
    Draw3D3->setVisible(horvaneToSice);
    if (siceToHorvane)
        Draw3D2->setGeometry(
            qRect(layout::jobPanelBox(layout::Panel::SiceToHorvane, siceToHorvane, horvaneToSice)));
    if (horvaneToSice)
        Draw3D3->setGeometry(
            qRect(layout::jobPanelBox(layout::Panel::HorvaneToSice, siceToHorvane, horvaneToSice)));
}

void TMForm::disableJobButtons() {
    BExportar->setEnabled(false);
    BImportar->setEnabled(false);
}

FormControl TMForm::focusedControl() const {
    return controls_.find(QApplication::focusWidget());
}

void TMForm::focusControl(FormControl control) {
    if (QWidget* w = controls_.of(control))
        w->setFocus(Qt::TabFocusReason);
}

void TMForm::embedInHost(uint32_t handle) {
    embedding_.embed(*this, handle);
}

void TMForm::showFolders() {
    const FolderChooser& folders = logic_.folders();
    Directorios->showFolders(folders);
    const QFontMetrics metrics(Label2->font());
    Label2->setText(fromFileName(logic_.folderCaption(
        [&](const std::string& text) { return metrics.horizontalAdvance(fromFileName(text)); })));
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

void TMForm::information(const std::string& text) {
    messages_->information(userText(text));
}

void TMForm::error(const std::string& text) {
    messages_->error(userText(text));
}

void TMForm::setHandOffPath(const QString& path) {
    logic_.setHandOffPath(QFile::encodeName(path).toStdString());
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
    logic_.helpKey(0);
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
    const FormControl focused = controls_.find(qobject_cast<QWidget*>(watched));
    const bool tab = (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
                     (key->modifiers() & ~Qt::ShiftModifier) == Qt::NoModifier;
    if (tab && focused != FormControl::Other) {
        // The form's own order, which steps over what cannot take the focus.
        focusControl(logic_.tabKey(focused, key->key() == Qt::Key_Backtab ||
                                                key->modifiers() & Qt::ShiftModifier));
        return true;
    }
    const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                       (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!enter || focused == FormControl::Other)
        return QWidget::eventFilter(watched, event);
    const KeyAction action = logic_.enterKey(focused, Unidades->view()->isVisible());
    if (action == KeyAction::PassOn)
        return false;
    // A button is pressed as a click would, signals and all.
    if (auto* pressed =
            qobject_cast<QPushButton*>(controls_.of(FormLogic::buttonPressedBy(action))))
        pressed->click();
    else
        logic_.perform(action, Directorios->currentRow());
    return true;
}

void TMForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        if (QWidget* first = controls_.of(logic_.initialFocus()))
            first->setFocus(Qt::ActiveWindowFocusReason);
    }
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
