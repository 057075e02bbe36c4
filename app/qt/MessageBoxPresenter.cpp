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

} // namespace

void MessageBoxPresenter::notice(const QString& text) {
    // Without a parent, so that it is centred on the screen and not on the window, which may be
    // a small child of the host's window.
    CentredMessageBox box;
    prepare(box, text);
    box.setIcon(QMessageBox::NoIcon);
    QPushButton* accept = box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
    box.setDefaultButton(accept);
    box.setEscapeButton(accept);
    box.exec();
}

void MessageBoxPresenter::error(const QString& text) {
    QMessageBox box(QApplication::activeWindow());
    prepare(box, text);
    box.setIcon(QMessageBox::Critical);
    // The OK button of a Spanish system.
    QPushButton* ok = box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

} // namespace tts::app
