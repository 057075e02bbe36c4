// A long job in a real X server (run under xvfb-run): while the export works through a large
// SOLUC, a window is put over ours and taken away again, and a real click lands on the close
// button. The uncovered part must be painted again (no ghost of the other window), the pointer
// must stay the hourglass, and the click must be dropped, not acted on when the job ends.

#include "app/ProcessState.h"
#include "app/qt/MessagePresenter.h"
#include "app/qt/TMForm.h"
#include "app/qt/GradientPanel.h"

#include "tables/WorkTable.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

using namespace tts::app;

namespace {

class RecordingPresenter : public MessagePresenter {
public:
    void notice(const QString& text) override { notices << text; }
    void information(const QString& text) override { informations << text; }
    void error(const QString& text) override { errors << text; }
    QStringList notices, informations, errors;
};

std::string bytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

class KeepAliveTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void longJobKeepsPaintingAndDropsClicks() {
        QTemporaryDir scratch;
        const QString work = scratch.filePath("work"), sice = scratch.filePath("sice");
        QDir().mkpath(work);
        QDir().mkpath(sice);
        qputenv("HTEMP", QFile::encodeName(work));
        for (const QFileInfo& file :
             QDir(TTS_SOURCE_DIR "/examples/sice").entryInfoList(QDir::Files))
            QFile::copy(file.absoluteFilePath(), sice + '/' + file.fileName());
        QDir::setCurrent(sice);
        auto messages = std::make_shared<RecordingPresenter>();

        // The tables of the example school, and a timetable long enough to watch.
        {
            TMForm importing({}, messages);
            importing.BExportarClick();
            QCOMPARE(messages->notices, QStringList{"Proceso finalizado"});
            messages->notices.clear();
        }
        {
            auto soluc = tts::tables::WorkTable::createAfresh(
                bytes(work), tts::tables::schema::Timetable::table);
            for (int row = 0; row < 150000; ++row) {
                soluc.append();
                soluc.writeFloat(soluc.column("DIA"), 1 + row % 5);
                soluc.writeFloat(soluc.column("HORA"), 1 + row % 6);
                soluc.writeText(soluc.column("PROF"), "PGAR");
                soluc.writeText(soluc.column("ASIG"), "MAT");
                soluc.post();
            }
            soluc.close();
        }

        TMForm form({}, messages);
        form.move(40, 40);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::qWait(100);
        QSignalSpy closeClicks(form.BClose, &QPushButton::clicked);

        // A plain magenta window over the folder chooser's panel.
        QWidget cover(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
        cover.setAutoFillBackground(true);
        QPalette magenta = cover.palette();
        magenta.setColor(QPalette::Window, Qt::magenta);
        cover.setPalette(magenta);
        const QRect panel(form.Draw3D1->mapToGlobal(QPoint(300, 20)), QSize(280, 60));
        cover.setGeometry(panel);
        const QPoint closeButton = form.BClose->mapToGlobal(form.BClose->rect().center());

        int tick = 0;
        bool alwaysBusy = true;
        QColor seen;
        QTimer watcher;
        watcher.setInterval(40);
        connect(&watcher, &QTimer::timeout, [&] {
            const QCursor* cursor = QApplication::overrideCursor();
            alwaysBusy = alwaysBusy && cursor && cursor->shape() == Qt::WaitCursor;
            switch (tick++) {
            case 0:
                cover.show();
                break;
            case 3:
                cover.hide();
                break;
            case 6:
                seen = QGuiApplication::primaryScreen()
                           ->grabWindow(0, panel.x(), panel.y(), panel.width(), panel.height())
                           .toImage()
                           .pixelColor(panel.width() / 2, panel.height() / 2);
                break;
            case 7:
                QProcess::execute("xdotool", {"mousemove", QString::number(closeButton.x()),
                                              QString::number(closeButton.y()), "click", "1"});
                break;
            default:
                break;
            }
        });
        // However fast the export gets, each time it lets the window breathe costs a little, so
        // the job outlasts the watcher's steps; without those breaths nothing here runs at all.
        QTimer stretch;
        stretch.setInterval(0);
        connect(&stretch, &QTimer::timeout, [] { QThread::msleep(2); });
        watcher.start();
        stretch.start();
        QTest::mouseClick(form.BImportar, Qt::LeftButton);
        stretch.stop();
        watcher.stop();
        QTest::qWait(300);

        QVERIFY2(tick > 9, qPrintable(QString("the export ended after %1 ticks").arg(tick)));
        QCOMPARE(messages->errors, QStringList{});
        QCOMPARE(messages->notices, QStringList{"Proceso finalizado"});
        QVERIFY(alwaysBusy);
        const QImage fill =
            GradientPanel::gradient(form.Draw3D1->size(), QColor(0xCC, 0xD8, 0xE6),
                                    QColor(0xCF, 0xF2, 0xFE), QColor(0xC2, 0xCD, 0xFE));
        QCOMPARE(seen, fill.pixelColor(300 + panel.width() / 2, 20 + panel.height() / 2));
        // The click made during the job did nothing, then or later.
        QCOMPARE(closeClicks.count(), 0);
        QVERIFY(form.isVisible());
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(KeepAliveTest)
#include "KeepAliveTest.moc"
