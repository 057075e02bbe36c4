// The window on the offscreen platform: command line, keyboard, folder chooser, the two jobs
// through the real import and export, the hand-off at close and the top-level error handler.

#include "app/qt/DriveSelector.h"
#include "app/qt/FolderList.h"
#include "app/qt/GradientPanel.h"
#include "app/HelpRequests.h"
#include "app/qt/MessageBoxPresenter.h"
#include "app/ProcessState.h"
#include "app/qt/TMForm.h"
#include "app/qt/QStringConversion.h"

#include "base/Error.h"
#include "tables/WorkTable.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <set>

using namespace tts::app;

namespace {

class RecordingPresenter : public MessagePresenter {
public:
    void notice(const QString& text) override {
        notices << text;
        sequence << QStringLiteral("notice");
        if (onNotice)
            onNotice(text);
    }
    void information(const QString& text) override {
        informations << text;
        sequence << QStringLiteral("information");
    }
    void error(const QString& text) override { errors << text; }

    QStringList notices;
    QStringList informations;
    QStringList sequence; // "notice", "information", in the order shown
    QStringList errors;
    std::function<void(const QString&)> onNotice;
};

class RecordingHelp : public HelpRequests {
public:
    void contents(const std::string& helpFile) override {
        requests << "contents " + QString::fromStdString(helpFile);
    }
    void context(int helpContext, const std::string& helpFile) override {
        requests << QString("context %1 ").arg(helpContext) + QString::fromStdString(helpFile);
    }
    QStringList requests;
};

QString readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return QString::fromLatin1(file.readAll());
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void copyFolder(const QString& from, const QString& to) {
    QDir().mkpath(to);
    for (const QFileInfo& file : QDir(from).entryInfoList(QDir::Files))
        QFile::copy(file.absoluteFilePath(), to + '/' + file.fileName());
}

// What a user's double click sends: press, release, double click, release.
void doubleClick(QListWidget* list, QListWidgetItem* row) {
    list->scrollToItem(row);
    const QPoint at = list->visualItemRect(row).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
}

QListWidgetItem* rowNamed(QListWidget* list, const QString& name) {
    const auto found = list->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.last();
}

QString exampleFolder() {
    return QStringLiteral(TTS_SOURCE_DIR "/examples/sice");
}

std::string bytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> scratch_;
    std::shared_ptr<RecordingPresenter> messages_;
    QString startFolder_;

    QString scratch(const QString& name) const { return scratch_->filePath(name); }

    // A window as start-up makes it, started in `startFolder_`, handing off into the scratch
    // folder rather than next to the test program.
    std::unique_ptr<TMForm> makeForm(const QStringList& arguments = {}) {
        std::vector<std::string> cp1252;
        for (const QString& a : arguments)
            cp1252.push_back(toWindows1252(a));
        QDir::setCurrent(startFolder_);
        auto form = std::make_unique<TMForm>(cp1252, messages_);
        form->setHandOffPath(scratch("Horvane.ini"));
        return form;
    }

    static void showAndWait(TMForm& form) {
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
    }

    // The example school, in a folder of its own, opened in the window at start.
    void startInExampleCopy() {
        QVERIFY(QFileInfo(exampleFolder() + "/sice_asignat.txt").exists());
        startFolder_ = scratch("sice");
        copyFolder(exampleFolder(), startFolder_);
    }

    void createSoluc() {
        auto soluc = tts::tables::WorkTable::createAfresh(bytes(scratch("work")),
                                                          tts::tables::schema::Timetable::table);
        soluc.append();
        soluc.writeFloat(soluc.column("DIA"), 1);
        soluc.writeFloat(soluc.column("HORA"), 1);
        soluc.writeText(soluc.column("PROF"), "PGAR");
        soluc.writeText(soluc.column("ASIG"), "MAT");
        soluc.post();
        soluc.close();
    }

private Q_SLOTS:
    void init() {
        scratch_ = std::make_unique<QTemporaryDir>();
        QVERIFY(scratch_->isValid());
        QDir().mkpath(scratch("work"));
        qputenv("HTEMP", QFile::encodeName(scratch("work")));
        startFolder_ = scratch_->path();
        messages_ = std::make_shared<RecordingPresenter>();
        ParametrosLlamada = 0;
        EstadoTransformado = 7;
    }

    void cleanup() {
        QDir::setCurrent(QDir::tempPath());
        QVERIFY(!QApplication::overrideCursor());
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("embedded");
        QTest::addColumn<bool>("siceToHorvane"); // Draw3D2 shown
        QTest::addColumn<bool>("horvaneToSice"); // Draw3D3 shown
        QTest::addColumn<QString>("error");
        QTest::newRow("none") << QStringList{} << false << true << true << QString();
        QTest::newRow("one") << QStringList{"importar"} << false << true << true << QString();
        QTest::newRow("three") << QStringList{"importar", "1A2B", "x"} << false << true << true
                               << QString();
        QTest::newRow("IMPORTAR") << QStringList{"IMPORTAR", "1A2B"} << true << false << true
                                  << QString();
        QTest::newRow("Importar 1a2b")
            << QStringList{"Importar", "1a2b"} << true << false << true << QString();
        QTest::newRow("exportar") << QStringList{"exportar", "0000001A2B"} << true << true << false
                                  << QString();
        QTest::newRow("trailing blank")
            << QStringList{"importar ", "1A2B"} << true << true << true << QString();
        QTest::newRow("other word")
            << QStringList{"ver", "1A2B"} << true << true << true << QString();
        QTest::newRow("nine digits")
            << QStringList{"importar", "123456789"} << false << true << true
            << QString::fromUtf8("'$123456789' no es un valor entero válido.");
        QTest::newRow("prefix") << QStringList{"importar", "0x1A2B"} << false << true << true
                                << QString::fromUtf8("'$0x1A2B' no es un valor entero válido.");
        QTest::newRow("empty") << QStringList{"exportar", ""} << false << true << true
                               << QString::fromUtf8("'$' no es un valor entero válido.");
    }

    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, embedded);
        QFETCH(bool, siceToHorvane);
        QFETCH(bool, horvaneToSice);
        QFETCH(QString, error);

        auto form = makeForm(arguments);
        // The error is shown while the window is being created, before it is shown.
        QCOMPARE(messages_->errors, error.isEmpty() ? QStringList{} : QStringList{error});
        showAndWait(*form);

        QCOMPARE(EstadoTransformado, 0);
        QCOMPARE(ParametrosLlamada, embedded ? 2 : 0);
        QCOMPARE(form->isEmbedded(), embedded);
        QCOMPARE(bool(form->windowFlags() & Qt::FramelessWindowHint), embedded);
        if (!embedded) {
            QVERIFY(form->windowFlags() & Qt::WindowCloseButtonHint);
            QVERIFY(!(form->windowFlags() &
                      (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
            QCOMPARE(form->minimumSize(), form->maximumSize());
            QCOMPARE(form->windowTitle(),
                     QStringLiteral("Exportar e importar datos entre Horvane y SICE"));
        }
        QCOMPARE(form->Draw3D2->isVisible(), siceToHorvane);
        QCOMPARE(form->Draw3D3->isVisible(), horvaneToSice);
        if (siceToHorvane && horvaneToSice) {
            QCOMPARE(form->Draw3D2->geometry(), QRect(0, 0, 289, 101));
            QCOMPARE(form->Draw3D3->geometry(), QRect(289, 0, 310, 101));
        } else {
            // The panel left fills the upper area; its controls keep their places in it.
            GradientPanel* shown = siceToHorvane ? form->Draw3D2 : form->Draw3D3;
            QCOMPARE(shown->geometry(), QRect(0, 0, 599, 101));
            QPushButton* job = siceToHorvane ? form->BExportar : form->BImportar;
            QCOMPARE(job->pos(), siceToHorvane ? QPoint(88, 72) : QPoint(96, 72));
        }
        // Standalone, nothing is written at close.
        form->close();
        QVERIFY(!form->isVisible());
        QCOMPARE(QFile::exists(scratch("Horvane.ini")), embedded);
    }

    void panelsAreThreeColourGradients() {
        const QColor top(0xFF, 0xEE, 0xDD), middle(Qt::white), bottom(0xF9, 0xD3, 0x7D);
        QImage image = GradientPanel::gradient(QSize(4, 101), top, middle, bottom);
        QCOMPARE(image.pixelColor(0, 0), top);
        QCOMPARE(image.pixelColor(3, 49), middle);
        QCOMPARE(image.pixelColor(3, 50), middle);
        QCOMPARE(image.pixelColor(0, 100), bottom);
        // Monotonic blend, one band per row while there are few rows...
        for (int y = 1; y < 50; ++y)
            QVERIFY(image.pixelColor(0, y).blue() >= image.pixelColor(0, y - 1).blue());
        std::set<QRgb> upper;
        for (int y = 0; y < 50; ++y)
            upper.insert(image.pixel(0, y));
        QVERIFY(upper.size() > 20);
        // ...and at most 256 bands a half when the panel is taller.
        QImage tall = GradientPanel::gradient(QSize(1, 2000), QColor(0, 0, 0), QColor(255, 0, 255),
                                              QColor(0, 0, 0));
        std::set<QRgb> bands;
        for (int y = 0; y < 1000; ++y)
            bands.insert(tall.pixel(0, y));
        QVERIFY(bands.size() <= 256 && bands.size() > 200);

        // The panel shows its fill inside its edge.
        auto form = makeForm();
        showAndWait(*form);
        QImage shown = form->Draw3D1->grab().toImage();
        QImage fill = GradientPanel::gradient(form->Draw3D1->size(), QColor(0xCC, 0xD8, 0xE6),
                                              QColor(0xCF, 0xF2, 0xFE), QColor(0xC2, 0xCD, 0xFE));
        QCOMPARE(shown.pixelColor(300, 84), fill.pixelColor(300, 84));
        QCOMPARE(shown.pixelColor(590, 3), fill.pixelColor(590, 3));
    }

    void folderListShowsTheWayDownAndTheSubfolders() {
        const QString current = scratch("tree/current");
        for (const char* sub : {"beta", "Alpha", "gamma", ".hidden", "alpha2"})
            QVERIFY(QDir().mkpath(current + '/' + sub));
        writeAll(current + "/file.txt", "x");
        startFolder_ = current;
        auto form = makeForm();
        showAndWait(*form);

        FolderList* list = form->Directorios;
        QStringList way = QDir::cleanPath(current).split('/', Qt::SkipEmptyParts);
        const int depth = int(way.size());
        QCOMPARE(list->count(), depth + 1 + 4);
        QCOMPARE(list->item(0)->text(), QStringLiteral("/"));
        for (int level = 0; level <= depth; ++level) {
            QCOMPARE(list->item(level)->data(FolderList::LevelRole).toInt(), level);
            QCOMPARE(list->item(level)->data(FolderList::IconRole).toInt(),
                     int(level < depth ? FolderIcon::Opened : FolderIcon::Current));
            if (level > 0)
                QCOMPARE(list->item(level)->text(), way[level - 1]);
        }
        QCOMPARE(list->currentRow(), depth);
        QVERIFY(list->item(depth)->isSelected());
        QStringList subfolders;
        for (int row = depth + 1; row < list->count(); ++row) {
            subfolders << list->item(row)->text();
            QCOMPARE(list->item(row)->data(FolderList::LevelRole).toInt(), depth + 1);
            QCOMPARE(list->item(row)->data(FolderList::IconRole).toInt(), int(FolderIcon::Closed));
        }
        QCOMPARE(subfolders, (QStringList{"Alpha", "alpha2", "beta", "gamma"}));
        QCOMPARE(list->directory(), current);
        QCOMPARE(form->Label2->text(), current);

        // Opening a subfolder makes it the current and the working folder.
        doubleClick(list, list->item(depth + 3));
        QCOMPARE(list->directory(), current + "/beta");
        QCOMPARE(QDir::currentPath(), current + "/beta");
        QCOMPARE(form->Label2->text(), current + "/beta");
        QCOMPARE(list->item(list->currentRow())->text(), QStringLiteral("beta"));
    }

    void folderThatCannotBeOpenedChangesNothing() {
        const QString current = scratch("tree");
        QVERIFY(QDir().mkpath(current + "/gone"));
        startFolder_ = current;
        auto form = makeForm();
        showAndWait(*form);
        FolderList* list = form->Directorios;
        QListWidgetItem* gone = list->item(list->count() - 1);
        QCOMPARE(gone->text(), QStringLiteral("gone"));
        QVERIFY(QDir(current + "/gone").removeRecursively());
        const int rows = list->count();

        doubleClick(list, gone);

        QCOMPARE(messages_->errors, QStringList{"I/O error 3."});
        QCOMPARE(list->directory(), current);
        QCOMPARE(list->count(), rows);
        QCOMPARE(QDir::currentPath(), current);
    }

    void longFolderIsShortenedAfterTheRoot() {
        const QString deep =
            scratch(QString("a").repeated(40) + '/' + QString("b").repeated(40) + "/current");
        QVERIFY(QDir().mkpath(deep));
        startFolder_ = deep;
        auto form = makeForm();
        showAndWait(*form);
        const QString shown = form->Label2->text();
        QVERIFY2(shown.startsWith("/.../") && shown.endsWith("/current"), qPrintable(shown));
        QVERIFY(QFontMetrics(form->Label2->font()).horizontalAdvance(shown) <= 287);
        // Only as much is dropped as needed: one more folder would fit no longer.
        QVERIFY(shown.contains(QString("b").repeated(40)) ||
                QFontMetrics(form->Label2->font())
                        .horizontalAdvance("/.../" + QString("b").repeated(40) + "/current") > 287);
    }

    void drivesFollowTheFolderAndRememberTheirOwn() {
        auto form = makeForm();
        showAndWait(*form);
        DriveSelector* drives = form->Unidades;
        const int here =
            driveIndexOf(drives->drives(), form->Directorios->directory().toStdString());
        QVERIFY(here >= 0);
        QCOMPARE(drives->currentIndex(), here);
        int other = -1;
        for (int i = 0; i < drives->count() && other < 0; ++i)
            if (i != here &&
                QFileInfo(QString::fromStdString(drives->drives()[size_t(i)].root)).isReadable())
                other = i;
        if (other < 0)
            QSKIP("one drive only on this machine");

        const QString before = form->Directorios->directory();
        drives->setCurrentIndex(other);
        Q_EMIT drives->activated(other);
        const QString otherRoot = QString::fromStdString(drives->drives()[size_t(other)].root);
        QCOMPARE(form->Directorios->directory(), otherRoot);
        QCOMPARE(form->Label2->text(), otherRoot);

        // Back to the first drive: its own current folder, unless that has gone meanwhile.
        drives->setCurrentIndex(here);
        Q_EMIT drives->activated(here);
        QCOMPARE(form->Directorios->directory(), before);
        drives->setCurrentIndex(other);
        Q_EMIT drives->activated(other);
        QVERIFY(QDir(before).removeRecursively());
        drives->setCurrentIndex(here);
        Q_EMIT drives->activated(here);
        QCOMPARE(messages_->errors, QStringList{"I/O error 3."});
        QCOMPARE(form->Directorios->directory(), otherRoot);
        QCOMPARE(drives->currentIndex(), other);
    }

    // Which control Enter presses is the form's rule (FormLogicTest); here, that the window
    // asks it and carries out both kinds of answer.
    void enterAndTabAreWired() {
        QVERIFY(QDir().mkpath(scratch("sub")));
        // The jobs find no folder, so that they stay enabled.
        startFolder_ = scratch("gone");
        QVERIFY(QDir().mkpath(startFolder_));
        auto form = makeForm();
        showAndWait(*form);
        QDir::setCurrent(scratch_->path());
        QVERIFY(QDir(startFolder_).removeRecursively());
        QSignalSpy exportar(form->BExportar, &QPushButton::clicked);
        QCOMPARE(QApplication::focusWidget(), form->BExportar);
        form->Directorios->setFocus();
        QTest::keyClick(form->Directorios, Qt::Key_Return);
        QCOMPARE(exportar.count(), 1);
        // Escape presses nothing.
        QTest::keyClick(form->Directorios, Qt::Key_Escape);
        QCOMPARE(exportar.count(), 1);
        QVERIFY(form->isVisible());
        // Tab walks the form's order.
        QTest::keyClick(form->Directorios, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->Unidades);
        // The keypad's Enter comes with a modifier of its own and is Enter all the same.
        QTest::keyClick(form->Unidades, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(exportar.count(), 2);

        form->disableJobs();
        form->logic().openFolder(scratch_->path().toStdString());
        FolderList* list = form->Directorios;
        list->setCurrentItem(rowNamed(list, "sub"));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(list->directory(), scratch("sub"));
    }

    void keyboardKeepsWorkingAfterAJob() {
        startInExampleCopy();
        auto form = makeForm();
        RecordingHelp help;
        form->setHelpRequests(&help);
        ApplicationHelpFile = "SICE.chm"; // as start-up sets it
        showAndWait(*form);
        QTest::mouseClick(form->BExportar, Qt::LeftButton);
        QCOMPARE(messages_->notices, QStringList{"Proceso finalizado"});
        QVERIFY(!form->BExportar->isEnabled());
        // From the greyed button on to the next that takes the focus, and round past both.
        QCOMPARE(QApplication::focusWidget(), form->BClose);
        QTest::keyClick(form->BClose, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->Directorios);
        QTest::keyClick(form->Directorios, Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(form->BClose, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), form->Button1);
        QTest::keyClick(form->Button1, Qt::Key_F1);
        QCOMPARE(help.requests, QStringList{"context 3 SICE.chm"});
    }

    void jobCaptionsWrapInsideTheirPanels() {
        auto form = makeForm();
        showAndWait(*form);
        struct Caption {
            QLabel* label;
            QWidget* panel;
            QString lines;
        };
        const Caption captions[] = {
            {form->Label3, form->Draw3D2, "Transformar datos desde SICE\nhacia Horvane"},
            {form->Label4, form->Draw3D3, "Transformar datos desde Horvane\nhacia SICE"},
        };
        for (const Caption& c : captions) {
            // Arial, or the font made to its measure.
            QVERIFY2(QStringList({"Arial", "Liberation Sans"})
                         .contains(QFontInfo(c.label->font()).family()),
                     qPrintable(QFontInfo(c.label->font()).family()));
            QCOMPARE(c.label->text(), c.lines);
            const QFontMetrics metrics(c.label->font());
            for (const QString& line : c.label->text().split('\n')) {
                // Clear of the panel's edge, measured in whole pixels per character.
                int right = c.label->x();
                for (QChar character : line)
                    right += metrics.horizontalAdvance(character);
                QVERIFY2(right < c.panel->width() - 1, qPrintable(line));
            }
        }
    }

    void altSClosesLikeTheCloseBox() {
        auto form = makeForm({"exportar", "1A2B"});
        showAndWait(*form);
        QSignalSpy closed(form.get(), &TMForm::formClosed);
        form->Directorios->setFocus();
        QTest::keyClick(form->Directorios, Qt::Key_S, Qt::AltModifier);
        // A mnemonic shows the button going down before it clicks.
        QTRY_COMPARE(closed.count(), 1);
        QVERIFY(!form->isVisible());
        QCOMPARE(readAll(scratch("Horvane.ini")),
                 QStringLiteral("[Transformadores]\r\nTransformado=0\r\n"));
    }

    void closeBeforeAnyJobHandsOffZeroKeepingTheRest() {
        writeAll(
            scratch("Horvane.ini"),
            "[Horvane]\r\nVersion=20\r\n\r\n[Transformadores]\r\nTransformado=1\r\nOtro=x\r\n");
        auto form = makeForm({"exportar", "1A2B"});
        showAndWait(*form);
        form->BClose->click();
        QVERIFY(!form->isVisible());
        QCOMPARE(readAll(scratch("Horvane.ini")),
                 QStringLiteral("[Horvane]\r\nVersion=20\r\n\r\n[Transformadores]\r\n"
                                "Transformado=0\r\nOtro=x\r\n"));
    }

    void completeImportEmbeddedClosesAndHandsOffOne() {
        startInExampleCopy();
        auto form = makeForm({"exportar", "1A2B"});
        showAndWait(*form);
        QSignalSpy closed(form.get(), &TMForm::formClosed);
        QTest::mouseClick(form->BExportar, Qt::LeftButton);
        QCOMPARE(messages_->notices, QStringList{"Proceso finalizado"});
        QCOMPARE(messages_->errors, QStringList{});
        QCOMPARE(EstadoTransformado, 1);
        QCOMPARE(closed.count(), 1);
        QVERIFY(!form->isVisible());
        QCOMPARE(readAll(scratch("Horvane.ini")),
                 QStringLiteral("[Transformadores]\r\nTransformado=1\r\n"));
        for (const char* table : {"ASIGNOMT", "PROFT", "AULAT", "GRUPOST", "ASIGT", "DIASHORAST"})
            QVERIFY2(QFile::exists(scratch("work/") + table + ".DBF"), table);
    }

    void importUsesTheOpenedFolderNotTheSelectedRow() {
        startInExampleCopy();
        QVERIFY(QDir().mkpath(startFolder_ + "/vacia"));
        auto form = makeForm();
        showAndWait(*form);
        FolderList* list = form->Directorios;
        QListWidgetItem* empty = list->item(list->count() - 1);
        QCOMPARE(empty->text(), QStringLiteral("vacia"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(empty).center());
        QVERIFY(empty->isSelected());
        QCOMPARE(list->directory(), startFolder_);

        // Standalone: the window stays; both jobs are done with for this run.
        QTest::mouseClick(form->BExportar, Qt::LeftButton);
        QCOMPARE(messages_->notices, QStringList{"Proceso finalizado"});
        QCOMPARE(EstadoTransformado, 1);
        QVERIFY(form->isVisible());
        QVERIFY(!form->BExportar->isEnabled());
        QVERIFY(!form->BImportar->isEnabled());
        QVERIFY(form->BClose->isEnabled() && form->Button1->isEnabled());
        QTest::mouseClick(form->BImportar, Qt::LeftButton);
        QCOMPARE(messages_->notices.size(), 1);
        // Nothing is handed off standalone, even to an existing file.
        writeAll(scratch("Horvane.ini"), "[Transformadores]\r\nTransformado=5\r\n");
        form->BClose->click();
        QVERIFY(!form->isVisible());
        QCOMPARE(readAll(scratch("Horvane.ini")),
                 QStringLiteral("[Transformadores]\r\nTransformado=5\r\n"));
    }

    void importWithMissingFilesHandsOffMinusOne() {
        startFolder_ = scratch("vacia");
        QVERIFY(QDir().mkpath(startFolder_));
        auto form = makeForm({"Exportar", "1A2B"});
        showAndWait(*form);
        QList<bool> busyDuringNotice;
        messages_->onNotice = [&](const QString&) {
            busyDuringNotice << (QApplication::overrideCursor() &&
                                 QApplication::overrideCursor()->shape() == Qt::WaitCursor);
        };
        QTest::mouseClick(form->BExportar, Qt::LeftButton);
        QCOMPARE(messages_->notices.size(), 7);
        QCOMPARE(messages_->notices.last(), QStringLiteral("Proceso finalizado"));
        // The hourglass stays through the steps' messages and is gone for the last one.
        QCOMPARE(busyDuringNotice, (QList<bool>{true, true, true, true, true, true, false}));
        QVERIFY(!form->isVisible());
        QCOMPARE(readAll(scratch("Horvane.ini")),
                 QStringLiteral("[Transformadores]\r\nTransformado=-1\r\n"));
    }

    void exportWithoutItsFolderHandsOffZero() {
        startFolder_ = scratch("gone");
        QVERIFY(QDir().mkpath(startFolder_));
        auto form = makeForm({"importar", "1A2B"});
        showAndWait(*form);
        QDir::setCurrent(scratch_->path());
        QVERIFY(QDir(startFolder_).removeRecursively());
        QTest::mouseClick(form->BImportar, Qt::LeftButton);
        QCOMPARE(messages_->notices, QStringList{"No existe la carpeta"});
        QVERIFY(!form->isVisible());
        QCOMPARE(readAll(scratch("Horvane.ini")),
                 QStringLiteral("[Transformadores]\r\nTransformado=0\r\n"));
    }

    void completeExportEmbeddedHandsOffOne() {
        startInExampleCopy();
        {
            auto importing = makeForm();
            importing->BExportar->click();
            QCOMPARE(messages_->notices, QStringList{"Proceso finalizado"});
        }
        createSoluc();
        messages_ = std::make_shared<RecordingPresenter>(); // the import's messages left behind
        auto form = makeForm({"importar", "00001A2B"});
        showAndWait(*form);
        QTest::mouseClick(form->BImportar, Qt::LeftButton);
        QCOMPARE(messages_->errors, QStringList{});
        QCOMPARE(messages_->notices, QStringList{"Proceso finalizado"});
        // Every code found (the empty ones are no warning): nothing more is shown.
        QCOMPARE(messages_->informations, QStringList{});
        QVERIFY(!form->isVisible());
        QCOMPARE(readAll(scratch("Horvane.ini")),
                 QStringLiteral("[Transformadores]\r\nTransformado=1\r\n"));
        const QStringList lines = readAll(startFolder_ + "/SICE_HORARIO.TXT").split("\r\n");
        QCOMPARE(lines.size(), 4); // header, one lesson, trailer, and the last line's end
        QVERIFY(lines[1].startsWith('1'));
    }

    // The example school's timetable names rooms, groups and tasks the tables lack: one more
    // message after "Proceso finalizado" says which, and the embedded window still closes and
    // hands off 1.
    void exportWithMissingCodesSaysSoBeforeTheWindowCloses() {
        startInExampleCopy();
        {
            auto importing = makeForm();
            importing->BExportar->click();
        }
        QVERIFY(QFile::copy(exampleFolder() + "/../SOLUC.DBF", scratch("work/SOLUC.DBF")));
        messages_ = std::make_shared<RecordingPresenter>();
        auto form = makeForm({"importar", "1A2B"});
        showAndWait(*form);
        QSignalSpy closed(form.get(), &TMForm::formClosed);
        QTest::mouseClick(form->BImportar, Qt::LeftButton);
        QCOMPARE(messages_->errors, QStringList{});
        QCOMPARE(messages_->notices, QStringList{"Proceso finalizado"});
        QCOMPARE(messages_->sequence, (QStringList{"notice", "information"}));
        for (const char* code : {"'AULA-ING'", "'4ESOA-D'", "'*CCP'"})
            QVERIFY2(messages_->informations.value(0).contains(QLatin1String(code)), code);
        QCOMPARE(closed.count(), 1);
        QVERIFY(!form->isVisible());
        QCOMPARE(readAll(scratch("Horvane.ini")),
                 QStringLiteral("[Transformadores]\r\nTransformado=1\r\n"));
    }

    void jobErrorGoesToTheTopLevelHandlerAndTheWindowStays() {
        // A folder name beyond ASCII, to see the path come through the message whole.
        startFolder_ = scratch(QString::fromUtf8("sin-ficheros-año"));
        QVERIFY(QDir().mkpath(startFolder_));
        auto form = makeForm({"importar", "1A2B"});
        showAndWait(*form);
        QTest::mouseClick(form->BImportar, Qt::LeftButton);
        QCOMPARE(messages_->errors.size(), 1);
        const QString error = messages_->errors.first();
        QVERIFY2(error.startsWith("Cannot open file \"" + startFolder_ + "/sice_asignat.txt\". ") &&
                     error.endsWith('.'),
                 qPrintable(error));
        QCOMPARE(EstadoTransformado, 0);
        QVERIFY(form->isVisible());
        QVERIFY(form->BExportar->isEnabled() && form->BImportar->isEnabled());
        QVERIFY(!QFile::exists(scratch("Horvane.ini")));
    }

    void handOffThatCannotBeWrittenKeepsTheWindowOpen() {
        writeAll(scratch("plain"), "x");
        auto form = makeForm({"exportar", "1A2B"});
        const QString unwritable = scratch("plain/Horvane.ini");
        form->setHandOffPath(unwritable);
        showAndWait(*form);
        QSignalSpy closed(form.get(), &TMForm::formClosed);

        QTest::mouseClick(form->BClose, Qt::LeftButton);
        QCOMPARE(messages_->errors, QStringList{"Unable to write to " + unwritable + "."});
        QVERIFY(form->isVisible());
        QCOMPARE(closed.count(), 0);

        // The next close tries again.
        form->setHandOffPath(scratch("Horvane.ini"));
        form->close();
        QCOMPARE(closed.count(), 1);
        QCOMPARE(readAll(scratch("Horvane.ini")),
                 QStringLiteral("[Transformadores]\r\nTransformado=0\r\n"));
    }

    void topLevelHandlerAddsTheFullStop() {
        auto form = makeForm();
        for (const char* text : {"abc", "abc.", "", "fin\n", "v\xE1lido"})
            form->showError(tts::Error(text));
        form->showError(std::runtime_error("std::bad_alloc"));
        QCOMPARE(messages_->errors, (QStringList{"abc.", "abc.", "", "fin\n",
                                                 QString::fromUtf8("válido."), "std::bad_alloc."}));
    }

    void helpButtonIsWired() {
        auto form = makeForm();
        RecordingHelp help;
        form->setHelpRequests(&help);
        showAndWait(*form);
        // F1 is checked after a job (keyboardKeepsWorkingAfterAJob); which help each asks is
        // the form's rule (FormLogicTest).
        QTest::mouseClick(form->Button1, Qt::LeftButton);
        QCOMPARE(help.requests, QStringList{"contents SICE.chm"});
    }

    void messageBoxesLookAsTheProgramsDo() {
        struct Seen {
            QString title, text, button;
            QMessageBox::Icon icon = QMessageBox::NoIcon;
            qsizetype buttons = 0;
            QPoint centre;
        } seen;
        auto inspect = [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen = {box->windowTitle(), box->text(),           box->buttons().value(0)->text(),
                    box->icon(),        box->buttons().size(), box->frameGeometry().center()};
            box->buttons().first()->click();
        };
        MessageBoxPresenter boxes;
        QTimer::singleShot(100, inspect);
        boxes.notice(QStringLiteral("Proceso finalizado"));
        QCOMPARE(seen.title, QStringLiteral("transTalvorSice"));
        QCOMPARE(seen.text, QStringLiteral("Proceso finalizado"));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttons, 1);
        QCOMPARE(seen.button, QStringLiteral("Aceptar"));
        const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY((seen.centre - screenCentre).manhattanLength() <= 2);

        // The warnings after it: the same box with the information icon.
        seen = {};
        QTimer::singleShot(100, inspect);
        boxes.information(QStringLiteral("Revise estos avisos:"));
        QCOMPARE(seen.title, QStringLiteral("transTalvorSice"));
        QCOMPARE(seen.text, QStringLiteral("Revise estos avisos:"));
        QCOMPARE(seen.icon, QMessageBox::Information);
        QCOMPARE(seen.buttons, 1);
        QCOMPARE(seen.button, QStringLiteral("Aceptar"));
        QVERIFY((seen.centre - screenCentre).manhattanLength() <= 2);

        seen = {};
        QTimer::singleShot(100, inspect);
        boxes.error(QStringLiteral("Unable to write to /x."));
        QCOMPARE(seen.title, QStringLiteral("transTalvorSice"));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.buttons, 1);
    }

    // The application icon, built into the program in the sizes of title bars, task bars and
    // menus, and drawn: the dark frame at the top edge, the round corners mostly see-through.
    void windowCarriesTheApplicationIcon() {
        auto form = makeForm();
        const QList<QSize> sizes = form->windowIcon().availableSizes();
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
        for (int size : {16, 32, 48}) {
            const QImage image = form->windowIcon().pixmap(QSize(size, size)).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            QCOMPARE(image.pixelColor(size / 2, 0), QColor(40, 60, 120));
            QVERIFY(image.pixelColor(0, 0).alpha() < 64);
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
