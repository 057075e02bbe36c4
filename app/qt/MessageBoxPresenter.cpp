#include "app/qt/MessageBoxPresenter.h"

#include "app/ProcessState.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

namespace tts::app {

namespace {

// A notice box centred on the screen once it has its final size, which it only gets as it is
// shown.
class CentredMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        QScreen* shown = QApplication::activeWindow() ? QApplication::activeWindow()->screen()
                                                      : QGuiApplication::primaryScreen();
        if (!shown)
            return;
        QRect frame = frameGeometry();
        frame.moveCenter(shown->availableGeometry().center());
        move(frame.topLeft());
    }
};

void prepare(QMessageBox& box, const QString& text) {
    box.setWindowTitle(QString::fromLatin1(ApplicationTitle));
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
}

// The one button, "Aceptar" as on a Spanish system, taken by Enter and by Escape; then waits.
void acceptAndWait(QMessageBox& box) {
    QPushButton* accept = box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
    box.setDefaultButton(accept);
    box.setEscapeButton(accept);
    box.exec();
}

} // namespace

void MessageBoxPresenter::notice(const QString& text) {
    // Without a parent, so that it is centred on the screen and not on the window, which may be
    // a small child of the host's window.
    CentredMessageBox box;
    prepare(box, text);
    box.setIcon(QMessageBox::NoIcon);
    acceptAndWait(box);
}

void MessageBoxPresenter::information(const QString& text) {
    CentredMessageBox box;
    prepare(box, text);
    box.setIcon(QMessageBox::Information);
    acceptAndWait(box);
}

void MessageBoxPresenter::error(const QString& text) {
    QMessageBox box(QApplication::activeWindow());
    prepare(box, text);
    box.setIcon(QMessageBox::Critical);
    acceptAndWait(box);
}

} // namespace tts::app
